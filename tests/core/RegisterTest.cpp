// The organisation register: units, employees and moving an employee between units, checked on
// the bytes of the files.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace taviro;
using namespace taviro::test;

namespace {

Unit unitNamed(const std::string& name)
{
    Unit unit;
    unit.firm = "Urząd Gminy";
    unit.city = "Łęczyca";
    unit.name = name;
    unit.person = "Jan Nowak";
    unit.position = "Kierownik";
    unit.date = "05-03-2024";
    return unit;
}

Employee employeeNamed(const std::string& firstName, const std::string& surname)
{
    Employee employee;
    employee.firstName = firstName;
    employee.surname = surname;
    employee.position = "Inspektor";
    employee.employ = "1";
    employee.date1 = "01-02-2010";
    employee.date2 = "15-06-2018";
    employee.duty1 = "Prowadzenie spraw kadrowych";
    employee.duty2 = "";
    return employee;
}

std::vector<std::string> employeeLines(const std::string& id, const std::string& firstName, const std::string& surname,
                                       const std::string& deleted = "0")
{
    return {"{",
            "ID=" + id,
            "PERSONNAME=" + firstName,
            "PERSONSURNAME=" + surname,
            "PERSONPOSITION=Referent",
            "PERSONEMPLOY=0",
            "PERSONDATE1=01-01-2001",
            "PERSONDATE2=02-02-2002",
            "PERSONDUTY1=Sprawy#$różne",
            "PERSONDUTY2=",
            "PERSONDELETE=" + deleted,
            "}",
            ""};
}

std::vector<std::string> joined(std::initializer_list<std::vector<std::string>> parts)
{
    std::vector<std::string> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// The records of a file as lists of their lines between "{" and "}"; the empty lines between
// records left out.
std::vector<std::vector<std::string>> recordsOf(const std::string& content)
{
    std::vector<std::vector<std::string>> records;
    for (const std::string_view line : splitLines(content)) {
        if (line == "{")
            records.emplace_back();
        else if (!line.empty() && line != "}" && !records.empty())
            records.back().emplace_back(line);
    }
    return records;
}

template <typename Entry> std::vector<std::string> ids(const std::vector<Entry>& records)
{
    std::vector<std::string> result;
    for (const Entry& record : records)
        result.push_back(record.id);
    return result;
}

} // namespace

// ---- Units ----

TEST(UnitRegister, NewUnitIsStoredTrimmedInTheFixedOrderAndMayHaveAnEmptyName)
{
    TestStore store;
    UnitRegister units(store.records);
    Unit unit = unitNamed("  ");
    unit.firm = "  Urząd Miasta\t";
    EXPECT_EQ(units.add(unit), "000001");
    EXPECT_EQ(units.add(unitNamed(" Kadry ")), "000002");
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText({"{",
                                                      "ID=000001",
                                                      "CELLFIRM=Urząd Miasta",
                                                      "CELLCITY=Łęczyca",
                                                      "CELLNAME=",
                                                      "CELLPERSON=Jan Nowak",
                                                      "CELLPOSITION=Kierownik",
                                                      "CELLDATE=05-03-2024",
                                                      "CELLDELETE=0",
                                                      "}",
                                                      "",
                                                      "{",
                                                      "ID=000002",
                                                      "CELLFIRM=Urząd Gminy",
                                                      "CELLCITY=Łęczyca",
                                                      "CELLNAME=Kadry",
                                                      "CELLPERSON=Jan Nowak",
                                                      "CELLPOSITION=Kierownik",
                                                      "CELLDATE=05-03-2024",
                                                      "CELLDELETE=0",
                                                      "}",
                                                      ""}));
    const auto live = units.liveUnits();
    ASSERT_EQ(live.size(), 2u);
    EXPECT_EQ(live[0].id, "000001");
    EXPECT_EQ(live[0].name, "");
    EXPECT_EQ(live[1].name, "Kadry");

    const auto read = units.read("000002");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, "000002");
    EXPECT_EQ(read->firm, "Urząd Gminy");
    EXPECT_EQ(read->city, "Łęczyca");
    EXPECT_EQ(read->name, "Kadry");
    EXPECT_EQ(read->person, "Jan Nowak");
    EXPECT_EQ(read->position, "Kierownik");
    EXPECT_EQ(read->date, "05-03-2024");
    EXPECT_FALSE(units.read("000003"));
}

TEST(UnitRegister, ValuesKeepTheirStoredFormAndNoValueBreaksALine)
{
    TestStore store;
    UnitRegister units(store.records);
    // A "#" typed into a name stays one; a line break that reached a field cannot split the record.
    const std::string id = units.add(unitNamed("Wydział #1 $ A"));
    Unit broken = unitNamed("Wydział\r\nB");
    broken.person = "Jan\nNowak";
    const std::string second = units.add(broken);
    EXPECT_EQ(units.read(id)->name, "Wydział #1 $ A");
    EXPECT_EQ(units.liveUnits()[0].name, "Wydział #1 $ A");
    EXPECT_EQ(units.read(second)->name, "Wydział#$B");
    EXPECT_EQ(recordsOf(store.dir.read("Cell.dat"))[1][3], utf8ToCp1250("CELLNAME=Wydział#$B"));
    EXPECT_EQ(recordsOf(store.dir.read("Cell.dat"))[1].size(), 8u);

    // Correcting without changes writes the same bytes back.
    const std::string before = store.dir.read("Cell.dat");
    units.correct(*units.read(id));
    EXPECT_EQ(store.dir.read("Cell.dat"), before);

    // Text the code page cannot hold is refused with nothing written.
    EXPECT_THROW(units.add(unitNamed("Kadry ✓")), EncodingError);
    Unit corrected = *units.read(id);
    corrected.city = "Zürich → Łódź";
    EXPECT_THROW(units.correct(corrected), EncodingError);
    EXPECT_EQ(store.dir.read("Cell.dat"), before);
}

TEST(UnitRegister, CorrectReplacesTheValuesAndKeepsEveryOtherLine)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLFIRM=Gmina", "CELLNAME=Kadry", "CELLDELETE=0", "}",
                                            "", "{", "ID=000002", "CELLFIRM=Gmina", "CELLCITY=Łódź",
                                            "CELLNAME=Księgowość", "CELLX=nieznane=pole", "CELLPERSON=Anna Lis",
                                            "CELLPOSITION=Naczelnik", "CELLDATE=01-01-2020", "CELLDELETE=0", "}", ""}));
    UnitRegister units(store.records);
    Unit unit = unitNamed(" Księgowość i Podatki ");
    unit.id = "000002";
    unit.date = "31-12-2023";
    units.correct(unit);
    EXPECT_EQ(
        store.dir.read("Cell.dat"),
        storedText({"{", "ID=000001", "CELLFIRM=Gmina", "CELLNAME=Kadry", "CELLDELETE=0", "}", "", "{", "ID=000002",
                    "CELLFIRM=Urząd Gminy", "CELLCITY=Łęczyca", "CELLNAME=Księgowość i Podatki", "CELLX=nieznane=pole",
                    "CELLPERSON=Jan Nowak", "CELLPOSITION=Kierownik", "CELLDATE=31-12-2023", "CELLDELETE=0", "}", ""}));
    EXPECT_FALSE(store.dir.exists(store.records.temporaryFileName("Cell.dat")));
}

TEST(UnitRegister, CorrectingAnImportedUnitAddsTheDateJustBeforeTheEnd)
{
    TestStore store;
    const std::vector<std::string> imported = {"{",
                                               "ID=000004",
                                               "CELLFIRM=Gmina",
                                               "CELLCITY=Łódź",
                                               "CELLNAME=Kadry",
                                               "CELLPERSON=Ewa Kos",
                                               "CELLPOSITION=Sekretarz",
                                               "CELLDELETE=0",
                                               "}",
                                               ""};
    store.dir.write("Cell.dat", storedText(imported));
    UnitRegister units(store.records);
    const auto read = units.read("000004");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->date, "") << "the page shows today's date for a unit without one";
    Unit unit = *read;
    unit.date = "07-08-2024";
    units.correct(unit);
    std::vector<std::string> expected = imported;
    expected.insert(expected.begin() + 8, "CELLDATE=07-08-2024");
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText(expected));
}

TEST(UnitRegister, RemoveFlagsOnlyTheUnitAndLeavesItsEmployeeFile)
{
    TestStore store;
    UnitRegister units(store.records);
    const std::string kadry = units.add(unitNamed("Kadry"));
    const std::string biuro = units.add(unitNamed("Biuro"));
    EmployeeRegister employees(store.records);
    employees.add(kadry, employeeNamed("Anna", "Kowalska"));
    const std::string peBefore = store.dir.read(employeesFileName(kadry));

    units.remove(kadry);
    EXPECT_EQ(ids(units.liveUnits()), std::vector<std::string>{biuro});
    ASSERT_TRUE(units.read(kadry)) << "a deleted unit is still read by its identifier";
    EXPECT_EQ(recordsOf(store.dir.read("Cell.dat"))[0].back(), "CELLDELETE=1");
    EXPECT_EQ(store.dir.read(employeesFileName(kadry)), peBefore);
    EXPECT_EQ(store.records.findUnitIdByName("KADRY"), "");
}

// ---- Employees ----

TEST(EmployeeRegister, NewEmployeeIsStoredInTheFixedOrderWithEncodedDuties)
{
    TestStore store;
    EmployeeRegister employees(store.records);
    Employee employee = employeeNamed(" Zofia ", " Wójcik-Żak ");
    employee.duty1 = "\r\n  Sprawy kadrowe\r\nListy płac\n\nUrlopy  \r\n";
    employee.duty2 = "Zastępstwo\nw sekretariacie";
    EXPECT_EQ(employees.add("000003", employee), "000001");
    EXPECT_EQ(store.dir.read("Pe000003.dat"),
              storedText({"{", "ID=000001", "PERSONNAME=Zofia", "PERSONSURNAME=Wójcik-Żak", "PERSONPOSITION=Inspektor",
                          "PERSONEMPLOY=1", "PERSONDATE1=01-02-2010", "PERSONDATE2=15-06-2018",
                          "PERSONDUTY1=Sprawy kadrowe#$Listy płac#$#$Urlopy", "PERSONDUTY2=Zastępstwo#$w sekretariacie",
                          "PERSONDELETE=0", "}", ""}));

    const auto read = employees.read("000003", "000001");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->id, "000001");
    EXPECT_EQ(read->firstName, "Zofia");
    EXPECT_EQ(read->surname, "Wójcik-Żak");
    EXPECT_EQ(read->employ, "1");
    EXPECT_EQ(read->date1, "01-02-2010");
    EXPECT_EQ(read->date2, "15-06-2018");
    EXPECT_EQ(read->duty1, "Sprawy kadrowe\r\nListy płac\r\n\r\nUrlopy");
    EXPECT_EQ(read->duty2, "Zastępstwo\r\nw sekretariacie");

    // What was read goes back unchanged.
    const std::string before = store.dir.read("Pe000003.dat");
    employees.correct("000003", *read);
    EXPECT_EQ(store.dir.read("Pe000003.dat"), before);
    EXPECT_FALSE(employees.read("000003", "000002"));
    EXPECT_FALSE(employees.read("000009", "000001"));
}

TEST(EmployeeRegister, EveryValueIsReadLineBreakDecodedAndOddValuesAsStored)
{
    TestStore store;
    store.dir.write("Pe000001.dat", storedText({"{", "ID=000005", "PERSONNAME=Jan#$Maria", "PERSONSURNAME=Nowak$",
                                                "PERSONEMPLOY=7", "PERSONDATE1=1.2.2003", "PERSONDELETE=0", "}", ""}));
    EmployeeRegister employees(store.records);
    const auto read = employees.read("000001", "000005");
    ASSERT_TRUE(read);
    EXPECT_EQ(read->firstName, "Jan\r\nMaria");
    EXPECT_EQ(read->surname, "Nowak\n");
    EXPECT_EQ(read->employ, "7") << "the page decides how to show a value other than 0 or 1";
    EXPECT_EQ(read->date1, "1.2.2003");
    EXPECT_EQ(read->position, "");
    EXPECT_EQ(read->duty1, "");
}

TEST(EmployeeRegister, CorrectReplacesOnlyTheKeysTheRecordHas)
{
    TestStore store;
    // An old record without position, dates and second duty, between two others.
    const auto first = employeeLines("000001", "Anna", "Lis");
    const auto third = employeeLines("000003", "Piotr", "Mazur");
    store.dir.write("Pe000002.dat",
                    storedText(joined({first,
                                       {"{", "ID=000002", "PERSONNAME=Jan", "PERSONSURNAME=Kos", "PERSONEMPLOY=0",
                                        "PERSONX=zostaje", "PERSONDUTY1=stare", "PERSONDELETE=0", "}", ""},
                                       third})));
    EmployeeRegister employees(store.records);
    Employee employee = employeeNamed("Janusz", "Kos-Nowak");
    employee.id = "000002";
    employee.duty1 = "Nowe\nzadania";
    employees.correct("000002", employee);
    EXPECT_EQ(store.dir.read("Pe000002.dat"),
              storedText(joined({first,
                                 {"{", "ID=000002", "PERSONNAME=Janusz", "PERSONSURNAME=Kos-Nowak", "PERSONEMPLOY=1",
                                  "PERSONX=zostaje", "PERSONDUTY1=Nowe#$zadania", "PERSONDELETE=0", "}", ""},
                                 third})));
}

TEST(EmployeeRegister, TwoEmployeesOfOneNameAreBothStoredAndListed)
{
    TestStore store;
    EmployeeRegister employees(store.records);
    const std::string a = employees.add("000001", employeeNamed("Jan", "Nowak"));
    const std::string b = employees.add("000001", employeeNamed("Jan", "Nowak"));
    EXPECT_NE(a, b);
    const auto live = employees.liveEmployees("000001");
    EXPECT_EQ(ids(live), (std::vector<std::string>{a, b}));
    EXPECT_EQ(live[1].firstName, "Jan");
    EXPECT_EQ(live[1].surname, "Nowak");
    EXPECT_TRUE(employees.liveEmployees("000002").empty());
}

TEST(EmployeeRegister, RemoveFlagsTheEmployeeAndLeavesTheAppraisalFile)
{
    TestStore store;
    EmployeeRegister employees(store.records);
    const std::string a = employees.add("000001", employeeNamed("Anna", "Lis"));
    const std::string b = employees.add("000001", employeeNamed("Jan", "Kos"));
    store.dir.write(appraisalsFileName(a), storedText({"{", "ID=000001", "DELETE=0", "}", ""}));
    const std::string appraisals = store.dir.read(appraisalsFileName(a));
    employees.remove("000001", a);
    EXPECT_EQ(ids(employees.liveEmployees("000001")), std::vector<std::string>{b});
    EXPECT_EQ(recordsOf(store.dir.read("Pe000001.dat"))[0].back(), "PERSONDELETE=1");
    EXPECT_EQ(store.dir.read(appraisalsFileName(a)), appraisals);
}

// ---- Moving an employee ----

TEST(MoveEmployee, TheRecordGoesUnchangedToTheTargetAndTheAppraisalsFollow)
{
    TestStore store;
    const auto anna = employeeLines("000011", "Anna", "Lis");
    const auto jan = employeeLines("000012", "Jan", "Kos");
    const auto ewa = employeeLines("000013", "Ewa", "Bąk");
    store.dir.write("Pe000001.dat", storedText(joined({anna, jan, ewa})));
    const auto piotr = employeeLines("000021", "Piotr", "Mazur");
    store.dir.write("Pe000002.dat", storedText(piotr));
    store.dir.write("Gr000012.dat", storedText({"{", "ID=000100", "DELETE=0", "}", ""}));
    const std::string appraisals = store.dir.read("Gr000012.dat");

    ASSERT_TRUE(moveEmployee(store.records, "000001", "000002", "000012"));

    // The separator line stays behind in the source; everything else there is untouched.
    std::vector<std::string> source = joined({anna, {""}, ewa});
    EXPECT_EQ(store.dir.read("Pe000001.dat"), storedText(source));
    std::vector<std::string> moved(jan.begin(), jan.end() - 1);
    EXPECT_EQ(store.dir.read("Pe000002.dat"), storedText(joined({piotr, moved})));
    EXPECT_EQ(store.dir.read("Gr000012.dat"), appraisals);
    EXPECT_FALSE(store.dir.exists(store.records.temporaryFileName("Pe000001.dat")));

    EmployeeRegister employees(store.records);
    EXPECT_EQ(ids(employees.liveEmployees("000001")), (std::vector<std::string>{"000011", "000013"}));
    EXPECT_EQ(ids(employees.liveEmployees("000002")), (std::vector<std::string>{"000021", "000012"}));
    EXPECT_EQ(employees.read("000002", "000012")->duty1, "Sprawy\r\nróżne");
}

TEST(MoveEmployee, IntoAUnitWithoutAnEmployeeFileCreatesIt)
{
    TestStore store;
    const auto anna = employeeLines("000011", "Anna", "Lis", "1"); // a deleted record moves as it is
    store.dir.write("Pe000001.dat", storedText(anna));
    ASSERT_TRUE(moveEmployee(store.records, "000001", "000007", "000011"));
    EXPECT_EQ(store.dir.read("Pe000007.dat"), storedText(std::vector<std::string>(anna.begin(), anna.end() - 1)));
    EXPECT_EQ(store.dir.read("Pe000001.dat"), "\r\n");
}

TEST(MoveEmployee, ThereAndBackLeavesBothFilesWithTheSameRecords)
{
    TestStore store;
    store.dir.write("Pe000001.dat", storedText(joined({employeeLines("000011", "Anna", "Lis"),
                                                       employeeLines("000012", "Jan", "Kos")})));
    store.dir.write("Pe000002.dat", storedText(employeeLines("000021", "Piotr", "Mazur")));
    const auto source = recordsOf(store.dir.read("Pe000001.dat"));
    const auto target = recordsOf(store.dir.read("Pe000002.dat"));
    ASSERT_TRUE(moveEmployee(store.records, "000001", "000002", "000011"));
    ASSERT_TRUE(moveEmployee(store.records, "000002", "000001", "000011"));
    EXPECT_EQ(recordsOf(store.dir.read("Pe000002.dat")), target);
    auto after = recordsOf(store.dir.read("Pe000001.dat"));
    ASSERT_EQ(after.size(), 2u);
    EXPECT_EQ(after[0], source[1]);
    EXPECT_EQ(after[1], source[0]) << "back at the end of its file";
}

TEST(MoveEmployee, NothingIsWrittenWhenTheEmployeeIsNotInTheSource)
{
    TestStore store;
    store.dir.write("Pe000001.dat", storedText(employeeLines("000011", "Anna", "Lis")));
    const std::string before = store.dir.read("Pe000001.dat");
    EXPECT_FALSE(moveEmployee(store.records, "000001", "000002", "000099"));
    EXPECT_FALSE(moveEmployee(store.records, "000001", "000002", "11")) << "identifiers are six-digit texts";
    EXPECT_FALSE(moveEmployee(store.records, "000005", "000002", "000011")) << "a unit without a file";
    EXPECT_FALSE(moveEmployee(store.records, "000001", "000001", "000011")) << "into its own unit";
    EXPECT_EQ(store.dir.read("Pe000001.dat"), before);
    EXPECT_FALSE(store.dir.exists("Pe000002.dat"));
    EXPECT_FALSE(store.dir.exists("Pe000005.dat"));
}

TEST(MoveEmployee, AMoveStoppedHalfWayIsFinishedByTheNextWithoutASecondCopy)
{
    TestStore store;
    const auto anna = employeeLines("000011", "Anna", "Lis");
    const std::vector<std::string> moved(anna.begin(), anna.end() - 1);
    const auto piotr = employeeLines("000021", "Piotr", "Mazur");
    // The state a move leaves when it stops after its append: the record in both files.
    store.dir.write("Pe000001.dat", storedText(anna));
    store.dir.write("Pe000002.dat", storedText(joined({piotr, moved})));
    ASSERT_TRUE(moveEmployee(store.records, "000001", "000002", "000011"));
    EXPECT_EQ(store.dir.read("Pe000002.dat"), storedText(joined({piotr, moved})));
    EXPECT_EQ(store.dir.read("Pe000001.dat"), "\r\n");

    // A copy that differs (corrected in one unit meanwhile) is kept as well: nothing is thrown away.
    store.dir.write("Pe000001.dat", storedText(employeeLines("000021", "Piotr", "Mazur-Nowak")));
    ASSERT_TRUE(moveEmployee(store.records, "000001", "000002", "000021"));
    const auto target = recordsOf(store.dir.read("Pe000002.dat"));
    ASSERT_EQ(target.size(), 3u);
    EXPECT_EQ(target[2][2], "PERSONSURNAME=Mazur-Nowak");
}

TEST(MoveEmployee, AFailureOnTheWayNeverLosesTheRecord)
{
    TestStore store;
    const auto anna = employeeLines("000011", "Anna", "Lis");
    const auto jan = employeeLines("000012", "Jan", "Kos");
    store.dir.write("Pe000001.dat", storedText(joined({anna, jan})));
    store.dir.write("Pe000002.dat", storedText(employeeLines("000021", "Piotr", "Mazur")));
    const std::string source = store.dir.read("Pe000001.dat");
    const std::string target = store.dir.read("Pe000002.dat");

    // The append fails: nothing changes.
    FailingFiles appendFails("Pe000002.dat", 0);
    store.files.setFaultInjector(&appendFails);
    EXPECT_THROW(moveEmployee(store.records, "000001", "000002", "000012"), IoError);
    EXPECT_EQ(store.dir.read("Pe000001.dat"), source);
    EXPECT_EQ(store.dir.read("Pe000002.dat"), target);

    // The copy of the source fails after the append: the record stands in both files.
    FailingFiles copyFails(store.records.temporaryFileName("Pe000001.dat"), 0);
    store.files.setFaultInjector(&copyFails);
    EXPECT_THROW(moveEmployee(store.records, "000001", "000002", "000012"), IoError);
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.dir.read("Pe000001.dat"), source);
    EXPECT_EQ(recordsOf(store.dir.read("Pe000002.dat")).size(), 2u);
    EXPECT_FALSE(store.dir.exists(store.records.temporaryFileName("Pe000001.dat")));

    // Done again, the move completes with one copy.
    ASSERT_TRUE(moveEmployee(store.records, "000001", "000002", "000012"));
    EXPECT_EQ(recordsOf(store.dir.read("Pe000001.dat")).size(), 1u);
    EXPECT_EQ(recordsOf(store.dir.read("Pe000002.dat")).size(), 2u);
}

TEST(MoveEmployee, BothFilesAreTakenInNameOrderWhateverTheDirection)
{
    TestStore store;
    store.dir.write("Pe000001.dat", storedText(employeeLines("000011", "Anna", "Lis")));
    store.dir.write("Pe000002.dat", storedText(employeeLines("000022", "Jan", "Kos")));
    // Another workstation holds the source, the later of the two names.
    CountingNotifier otherNotifier;
    SharedFileAccess other(store.dir.directory(), otherNotifier);
    SharedFile held = other.openWithRetry("Pe000002.dat", OpenKind::TextAppend);
    bool earlierHeldWhileWaiting = false;
    store.notifier.onWait = [&](int waits) {
        if (waits != 1)
            return;
        // The move waits for the source while it already holds the target: the order is by
        // name, the same for a move in the other direction, so nobody waits in a circle.
        try {
            other.openOnce("Pe000001.dat", OpenKind::TextRead);
        } catch (const IoError&) {
            earlierHeldWhileWaiting = true;
        }
        held.close();
    };
    ASSERT_TRUE(moveEmployee(store.records, "000002", "000001", "000022"));
    EXPECT_TRUE(earlierHeldWhileWaiting);
    EXPECT_EQ(recordsOf(store.dir.read("Pe000001.dat")).size(), 2u);
}
