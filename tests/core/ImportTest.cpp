// The import of units and employees from a tab-separated file: which lines are taken, what is
// looked up and what is added, the encodings a file may come in, and that reusing what was read
// writes the same bytes as reading the register afresh for every line.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <thread>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace taviro;
using namespace taviro::test;

namespace {

// One import line: the unit and the employee, the other fields fixed.
std::string row(const std::string& unit, const std::string& firstName, const std::string& surname,
                const std::string& position = "Referent")
{
    return "Urząd Gminy\tŁęczyca\t" + unit + "\tJan Nowak\tKierownik\t" + firstName + "\t" + surname + "\t" + position +
           "\t1\t01-02-2010\t15-06-2018";
}

// An import file in a folder of its own, so that the data directory holds only what the import
// wrote. Lines are given in UTF-8 and written in Windows-1250.
class ImportFile
{
public:
    std::string write(const std::vector<std::string>& lines, std::string_view lineEnd = "\r\n")
    {
        std::string text;
        for (const std::string& line : lines)
            text += utf8ToCp1250(line) + std::string(lineEnd);
        return writeBytes(text);
    }
    std::string writeBytes(const std::string& bytes)
    {
        const std::string name = "import" + std::to_string(++m_count) + ".txt";
        m_folder.write(name, bytes);
        return m_folder.file(name);
    }

private:
    TemporaryDataDirectory m_folder;
    int m_count = 0;
};

// Every file under the folder by its relative path, with its bytes.
std::map<std::string, std::string> filesOf(const TemporaryDataDirectory& dir)
{
    std::map<std::string, std::string> files;
    const std::filesystem::path root(dir.directory().path());
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            const std::string relative = entry.path().lexically_relative(root).generic_string();
            files[relative] = dir.read(relative);
        }
    }
    return files;
}

// UTF-8 text (within the Basic Multilingual Plane) as UTF-16 bytes.
std::string utf16(const std::string& utf8, bool bigEndian)
{
    std::string bytes;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : 3;
        unsigned unit = length == 1 ? lead : length == 2 ? lead & 0x1F : lead & 0x0F;
        for (std::size_t k = 1; k < length; ++k)
            unit = (unit << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        i += length;
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

std::vector<std::string> importedEmployee(const std::string& id, const std::string& firstName,
                                          const std::string& surname, const std::string& position = "Referent")
{
    return {"{",
            "ID=" + id,
            "PERSONNAME=" + firstName,
            "PERSONSURNAME=" + surname,
            "PERSONPOSITION=" + position,
            "PERSONEMPLOY=1",
            "PERSONDATE1=01-02-2010",
            "PERSONDATE2=15-06-2018",
            "PERSONDUTY1=",
            "PERSONDUTY2=",
            "PERSONDELETE=0",
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

} // namespace

TEST(Import, LinesOfOneUnitInAnyLetterCaseMakeOneUnitWithItsEmployees)
{
    TestStore store;
    ImportFile input;
    const std::string file =
        input.write({row("Księgowość", "Anna", "Lis", " Referent  "), row("KSIĘGOWOŚĆ", "Jan", "Kos"),
                     row("księgowość", "ANNA", "lis", "Kierownik")});
    const ImportResult result = importRegister(store.records, file);
    EXPECT_EQ(result.taken, 3);
    EXPECT_EQ(result.unitsAdded, 1);
    EXPECT_EQ(result.employeesAdded, 2);
    // No date line for the unit, empty duties for the employees, fields exactly as they came.
    EXPECT_EQ(store.dir.read("Cell.dat"),
              storedText({"{", "ID=000001", "CELLFIRM=Urząd Gminy", "CELLCITY=Łęczyca", "CELLNAME=Księgowość",
                          "CELLPERSON=Jan Nowak", "CELLPOSITION=Kierownik", "CELLDELETE=0", "}", ""}));
    EXPECT_EQ(store.dir.read("Pe000001.dat"),
              storedText(joined({importedEmployee("000001", "Anna", "Lis", " Referent  "),
                                 importedEmployee("000002", "Jan", "Kos")})));
}

// Counts the writes of each data file and lets them all through.
class CountingWrites : public FaultInjector
{
public:
    platform::ErrorCode beforeWrite(const std::string& relativeName) override
    {
        ++writes[relativeName];
        return 0;
    }
    platform::ErrorCode beforeRead(const std::string&) override { return 0; }
    std::map<std::string, int> writes;
};

// A unit's lines in a row go in with one append of its file; lines of units taking turns one by
// one. The numbers of the new units' employees are drawn in one go. Both give the register a line-by-line import would.
TEST(Import, ConsecutiveLinesOfAUnitGoInWithOneWriteOfItsFile)
{
    TestStore store;
    ImportFile input;
    std::vector<std::string> lines;
    for (int i = 0; i < 40; ++i)
        lines.push_back(row("Kadry", "Anna", "Lis " + std::to_string(i)));
    lines.push_back(row("Płace", "Jan", "Kos"));
    lines.push_back(row("Kadry", "Ewa", "Bąk"));
    CountingWrites counting;
    store.files.setFaultInjector(&counting);
    const ImportResult result = importRegister(store.records, input.write(lines));
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(result.employeesAdded, 42);
    EXPECT_EQ(counting.writes["Pe000001.dat"], 2);
    EXPECT_EQ(counting.writes["Person.cou"], 1);
    const auto kadry = EmployeeRegister(store.records).liveEmployees("000001");
    ASSERT_EQ(kadry.size(), 41u);
    EXPECT_EQ(kadry.back().id, "000042") << "identifiers in the order of the lines";
    EXPECT_EQ(EmployeeRegister(store.records).liveEmployees("000002").front().id, "000041");
}

TEST(Import, BlanksAndDiacriticsMakeADifferentUnit)
{
    TestStore store;
    ImportFile input;
    const ImportResult result = importRegister(
        store.records, input.write({row("Księgowość", "Anna", "Lis"), row("Ksiegowosc", "Anna", "Lis"),
                                    row("Księgowość ", "Anna", "Lis"), row("Księgowość", "Anna", "Lis ")}));
    EXPECT_EQ(result.taken, 4);
    EXPECT_EQ(result.unitsAdded, 3);
    EXPECT_EQ(result.employeesAdded, 4);
    UnitRegister units(store.records);
    const auto live = units.liveUnits();
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[2].name, "Księgowość ");
    EmployeeRegister employees(store.records);
    EXPECT_EQ(employees.liveEmployees("000001").size(), 2u);
    EXPECT_EQ(employees.read("000001", "000004")->surname, "Lis ");
}

TEST(Import, TheSameFileTwiceAddsNothingTheSecondTimeYetTakesEveryLine)
{
    TestStore store;
    ImportFile input;
    const std::string file =
        input.write({row("Kadry", "Anna", "Lis"), row("Biuro Rady", "Jan", "Kos"), row("kadry", "Ewa", "Bąk"), ""});
    const ImportResult first = importRegister(store.records, file);
    EXPECT_EQ(first.taken, 3);
    EXPECT_EQ(first.unitsAdded, 2);
    EXPECT_EQ(first.employeesAdded, 3);
    const auto files = filesOf(store.dir);
    const ImportResult second = importRegister(store.records, file);
    EXPECT_EQ(second.taken, 3);
    EXPECT_EQ(second.unitsAdded, 0);
    EXPECT_EQ(second.employeesAdded, 0);
    EXPECT_EQ(filesOf(store.dir), files) << "counters included: no number was drawn";
}

TEST(Import, AnExistingEmployeeIsLeftAsItIs)
{
    TestStore store;
    UnitRegister units(store.records);
    EmployeeRegister employees(store.records);
    Unit unit;
    unit.firm = "Gmina";
    unit.name = "Kadry";
    const std::string kadry = units.add(unit);
    Employee anna;
    anna.firstName = "Anna";
    anna.surname = "Łoś";
    anna.position = "Inspektor";
    anna.employ = "0";
    employees.add(kadry, anna);
    const std::string cells = store.dir.read("Cell.dat");
    const std::string people = store.dir.read(employeesFileName(kadry));

    const ImportResult result =
        importRegister(store.records, ImportFile().write({row("KADRY", "anna", "ŁOŚ", "Naczelnik")}));
    EXPECT_EQ(result.taken, 1);
    EXPECT_EQ(result.unitsAdded, 0);
    EXPECT_EQ(result.employeesAdded, 0);
    EXPECT_EQ(store.dir.read("Cell.dat"), cells);
    EXPECT_EQ(store.dir.read(employeesFileName(kadry)), people);
}

TEST(Import, ALineNamingADeletedUnitCreatesItAgain)
{
    TestStore store;
    UnitRegister units(store.records);
    EmployeeRegister employees(store.records);
    Unit unit;
    unit.name = "Kadry";
    const std::string old = units.add(unit);
    employees.add(old, Employee{{}, "Anna", "Lis", "Referent", "1", "", "", "", ""});
    units.remove(old);
    const std::string oldPeople = store.dir.read(employeesFileName(old));

    const ImportResult result =
        importRegister(store.records, ImportFile().write({row("kadry", "Anna", "Lis"), row("Kadry", "Jan", "Kos")}));
    EXPECT_EQ(result.unitsAdded, 1);
    EXPECT_EQ(result.employeesAdded, 2);
    const std::string renewed = store.records.findUnitIdByName("KADRY");
    EXPECT_NE(renewed, old);
    EXPECT_EQ(renewed, "000002");
    EXPECT_EQ(employees.liveEmployees(renewed).size(), 2u);
    EXPECT_EQ(store.dir.read(employeesFileName(old)), oldPeople);
}

TEST(Import, TabsDecideWhichLinesAreTaken)
{
    TestStore store;
    ImportFile input;
    const std::string file = input.write({
        "F\tC\tTen tabs\tP\tS\tAnna\tLis\tR\t1\t01-01-2001\t02-02-2002",      // exactly 10: taken
        "F\tC\tNine tabs\tP\tS\tJan\tKos\tR\t1\t01-01-2001",                  // 9: skipped
        "F\tC\tMore tabs\tP\tS\tEwa\tBąk\tR\t0\t01-01-2001\t\textra\tfields", // 12: the rest dropped
        "\t\t\t\t\t\t\t\t\t\t",                                               // 10 tabs, blank: skipped
        "   ",
        "\tC\t\t\t\t\t\t\t\t\t", // 10 tabs with text: taken, with an empty unit and employee
    });
    const ImportResult result = importRegister(store.records, file);
    EXPECT_EQ(result.taken, 3);
    EXPECT_EQ(result.unitsAdded, 3);
    EXPECT_EQ(result.employeesAdded, 3);
    UnitRegister units(store.records);
    const auto live = units.liveUnits();
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[0].name, "Ten tabs");
    EXPECT_EQ(live[1].name, "More tabs");
    EXPECT_EQ(live[2].name, "");
    EmployeeRegister employees(store.records);
    EXPECT_EQ(employees.read(live[0].id, "000001")->date2, "02-02-2002");
    const auto ewa = employees.read(live[1].id, "000002");
    EXPECT_EQ(ewa->employ, "0");
    EXPECT_EQ(ewa->date2, "") << "the eleventh field ends at the next tab";
    EXPECT_EQ(units.read(live[2].id)->city, "C");
}

TEST(Import, NoLineTakenWritesNothing)
{
    TestStore store;
    ImportFile input;
    for (const std::string& file :
         {input.write({"F\tC\tNine tabs\tP\tS\tJan\tKos\tR\t1\t01-01-2001", "", "Kadry;Jan;Kos"}), input.writeBytes(""),
          input.writeBytes("\r\n\r\n\t \r\n")}) {
        const ImportResult result = importRegister(store.records, file);
        EXPECT_EQ(result.taken, 0);
        EXPECT_EQ(result.unitsAdded, 0);
        EXPECT_EQ(result.employeesAdded, 0);
    }
    EXPECT_TRUE(filesOf(store.dir).empty());
    EXPECT_EQ(importFormatErrorText(), "UWAGA! Błędny format pliku lub brak danych.");
}

TEST(Import, FieldsAreCutTo255CharactersOfTheCodePage)
{
    TestStore store;
    std::string longName;
    for (int i = 0; i < 30; ++i)
        longName += "Żółć ";
    longName += "ąęśćźż"; // 150 + 6 characters, every Polish letter one byte in the code page
    longName += longName; // 312 characters
    const std::string exact(255, 'x');
    const ImportResult result = importRegister(store.records, ImportFile().write({row(longName, exact, exact + "yz")}));
    ASSERT_EQ(result.taken, 1);
    const std::string stored = utf8ToCp1250(longName).substr(0, 255);
    EXPECT_NE(store.dir.read("Cell.dat").find("\r\nCELLNAME=" + stored + "\r\n"), std::string::npos);
    EmployeeRegister employees(store.records);
    const auto employee = employees.read("000001", "000001");
    EXPECT_EQ(employee->firstName, exact);
    EXPECT_EQ(employee->surname, exact);
    // The cut name is what later lookups compare with: the same line again adds nothing.
    EXPECT_EQ(importRegister(store.records, ImportFile().write({row(longName, exact, exact)})).employeesAdded, 0);
}

TEST(Import, CrLfLfAndCrFilesGiveTheSameRegister)
{
    const std::vector<std::string> lines = {row("Kadry", "Anna", "Lis"), "", row("Biuro", "Jan", "Kos"),
                                            row("KADRY", "Ewa", "Bąk")};
    ImportFile input;
    TestStore crlf;
    TestStore lf;
    TestStore cr;
    EXPECT_EQ(importRegister(crlf.records, input.write(lines, "\r\n")).taken, 3);
    EXPECT_EQ(importRegister(lf.records, input.write(lines, "\n")).taken, 3);
    EXPECT_EQ(importRegister(cr.records, input.write(lines, "\r")).taken, 3);
    EXPECT_EQ(filesOf(lf.dir), filesOf(crlf.dir));
    EXPECT_EQ(filesOf(cr.dir), filesOf(crlf.dir));
    // A last line without its line end is a line too.
    TestStore unended;
    EXPECT_EQ(importRegister(unended.records, input.writeBytes(utf8ToCp1250(row("Kadry", "Anna", "Lis")))).taken, 1);
    EXPECT_EQ(unended.dir.read("Pe000001.dat"), storedText(importedEmployee("000001", "Anna", "Lis")));
}

TEST(Import, AnUnreadableFileIsAnErrorNamingItAndNothingIsWritten)
{
    TestStore store;
    const std::string missing = store.dir.file("brak-pliku.txt");
    try {
        importRegister(store.records, missing);
        FAIL() << "no error";
    } catch (const IoError& error) {
        EXPECT_EQ(error.relativeName(), missing);
        EXPECT_NE(std::string(error.what()).find("brak-pliku.txt"), std::string::npos);
    }
    EXPECT_THROW(importRegister(store.records, store.dir.directory().path()), IoError) << "a folder";
    EXPECT_TRUE(filesOf(store.dir).empty());
}

TEST(Import, ProgressIsReportedNowAndThenUpToTheWholeFile)
{
    TestStore store;
    std::vector<std::string> lines;
    for (int i = 0; i < 250; ++i)
        lines.push_back(row("Wydział " + std::to_string(i % 3), "Imię" + std::to_string(1000 + i % 5), "Nazwisko"));
    ImportFile input;
    const std::string file = input.write(lines);
    const std::uint64_t size = std::filesystem::file_size(file);
    std::vector<std::pair<std::uint64_t, std::uint64_t>> calls;
    importRegister(store.records, file,
                   [&](std::uint64_t done, std::uint64_t total) { calls.emplace_back(done, total); });
    ASSERT_EQ(calls.size(), 3u);
    const std::uint64_t lineSize = size / 250;
    EXPECT_EQ(calls[0], std::make_pair(100 * lineSize, size));
    EXPECT_EQ(calls[1], std::make_pair(200 * lineSize, size));
    EXPECT_EQ(calls[2], std::make_pair(size, size));
}

// The same file, with other workstations changing the register while it runs, imported once with
// the readings reused and once reading every line afresh: the data directories must come out the
// same to the byte.
TEST(Import, ReusedReadingsWriteTheSameBytesAsReadingEveryLineAfresh)
{
    std::vector<std::string> lines;
    const std::vector<std::string> unitNames = {"Wydział Finansowy",
                                                "WYDZIAŁ FINANSOWY",
                                                "Wydzial Finansowy",
                                                "Kadry",
                                                "kadry",
                                                "Biuro Rady",
                                                "Straż Miejska",
                                                "STRAŻ MIEJSKA",
                                                "Urząd Stanu Cywilnego",
                                                "Wydział Oświaty",
                                                "Referat Gospodarki",
                                                "Kancelaria"};
    const std::vector<std::string> firstNames = {"Anna", "Świętosław", "Łucja"};
    const std::vector<std::string> surnames = {"Lis", "Dąbrowski", "Wójcik"};
    for (int i = 0; i < 640; ++i) {
        if (i % 37 == 0)
            lines.push_back("");
        if (i % 53 == 0)
            lines.push_back("Niepełny\twiersz\tbez\tpól");
        // Three people per unit, met again and again in changing letter case, the third one only
        // after another workstation has added her to one unit.
        const auto person = static_cast<std::size_t>(i / 120) % 3;
        std::string first = firstNames[person];
        if (i % 5 == 0)
            first = polishUpper(first);
        lines.push_back(row(unitNames[static_cast<std::size_t>(i) % unitNames.size()], first, surnames[person]));
    }
    ImportFile input;
    const std::string file = input.write(lines);

    // What the register looks like before: a live and a deleted unit, an employee already there.
    const auto prepare = [](TestStore& store) {
        UnitRegister units(store.records);
        EmployeeRegister employees(store.records);
        Unit unit;
        unit.name = "Kadry";
        units.remove(units.add(unit));
        unit.name = "Biuro Rady";
        const std::string biuro = units.add(unit);
        employees.add(biuro, Employee{{}, "Anna", "Lis", "Sekretarka", "0", "", "", "", ""});
    };
    // Another workstation at work during the import, at fixed points of it.
    const auto interfere = [](TestStore& store, int& call, std::uint64_t done, std::uint64_t total) {
        if (done == total)
            return;
        RecordFiles other(store.files, store.counters, "00000077");
        UnitRegister units(other);
        EmployeeRegister employees(other);
        switch (++call) {
        case 1: // a unit deleted: the same size of Cell.dat, another file in its place
            units.remove(other.findUnitIdByName("STRAŻ MIEJSKA"));
            break;
        case 2: { // an employee added to a unit, whom later lines name
            const std::string kadry = other.findUnitIdByName("kadry");
            employees.add(kadry, Employee{{}, "ŁUCJA", "wójcik", "Strażnik", "1", "", "", "", ""});
            break;
        }
        case 3: { // a unit renamed
            auto unit = units.read(other.findUnitIdByName("Kancelaria"));
            ASSERT_TRUE(unit);
            unit->name = "Kancelaria Wójta";
            units.correct(*unit);
            break;
        }
        case 4: { // an employee deleted
            const std::string finance = other.findUnitIdByName("Wydział Finansowy");
            employees.remove(finance, other.findEmployeeIdByName(finance, "ANNA", "LIS"));
            break;
        }
        case 5: // a unit added by hand under a name the file uses
            units.add(Unit{{}, "Gmina", "", "Kancelaria", "", "", "01-01-2024"});
            break;
        default:
            break;
        }
    };

    TestStore reused;
    TestStore afresh;
    prepare(reused);
    prepare(afresh);
    int reusedCalls = 0;
    int afreshCalls = 0;
    const ImportResult a = importRegister(
        reused.records, file,
        [&](std::uint64_t done, std::uint64_t total) { interfere(reused, reusedCalls, done, total); },
        ImportReading::ReuseUnchanged);
    const ImportResult b = importRegister(
        afresh.records, file,
        [&](std::uint64_t done, std::uint64_t total) { interfere(afresh, afreshCalls, done, total); },
        ImportReading::EveryLineAfresh);
    EXPECT_EQ(reusedCalls, 6);

    EXPECT_EQ(a.taken, 640);
    EXPECT_EQ(a.taken, b.taken);
    EXPECT_EQ(a.unitsAdded, b.unitsAdded);
    EXPECT_EQ(a.employeesAdded, b.employeesAdded);
    EXPECT_EQ(a.unitsAdded, 8) << "eight names; the deleted and the renamed unit keep the lines that name them";
    const auto reusedFiles = filesOf(reused.dir);
    const auto afreshFiles = filesOf(afresh.dir);
    ASSERT_EQ(reusedFiles.size(), afreshFiles.size());
    for (const auto& [name, bytes] : afreshFiles) {
        ASSERT_TRUE(reusedFiles.count(name)) << name;
        EXPECT_EQ(reusedFiles.at(name), bytes) << name;
    }
}

TEST(Import, EveryEncodingOfOneFileGivesTheSameDataFiles)
{
    std::string text; // UTF-8
    for (const std::string& line : {row("Księgowość", "Żaneta", "Wójcik"), row("KSIĘGOWOŚĆ", "Łucja", "Ćwik"),
                                    row("Straż Miejska", "Jan", "Kos")})
        text += line + "\r\n";
    ImportFile input;
    TestStore windows1250;
    const ImportResult plain = importRegister(windows1250.records, input.writeBytes(utf8ToCp1250(text)));
    EXPECT_EQ(plain.encoding, ImportEncoding::Windows1250);
    ASSERT_EQ(plain.employeesAdded, 3);
    const std::vector<std::pair<std::string, ImportEncoding>> others = {
        {text, ImportEncoding::Utf8},
        {"\xEF\xBB\xBF" + text, ImportEncoding::Utf8WithBom},
        {"\xFF\xFE" + utf16(text, false), ImportEncoding::Utf16LittleEndian},
        {"\xFE\xFF" + utf16(text, true), ImportEncoding::Utf16BigEndian},
    };
    for (const auto& [bytes, encoding] : others) {
        TestStore store;
        const ImportResult result = importRegister(store.records, input.writeBytes(bytes));
        EXPECT_EQ(result.encoding, encoding) << importEncodingName(encoding);
        EXPECT_EQ(result.refusal, "");
        EXPECT_EQ(filesOf(store.dir), filesOf(windows1250.dir)) << importEncodingName(encoding);
    }
    EXPECT_EQ(importSummaryText(plain),
              "Przyjęte wiersze: 3, nowe komórki: 2, nowi pracownicy: 3. Plik odczytano w kodowaniu Windows-1250.");
}

TEST(Import, AFileWithNulOrTextTheDataFilesCannotHoldIsRefusedWithNothingWritten)
{
    const std::string good = row("Kadry", "Anna", "Lis") + "\r\n";
    const std::vector<std::pair<std::string, std::string>> refused = {
        {utf8ToCp1250(good) + std::string("Kadry\0Jan", 9) + "\r\n", "Wiersz 2 pliku importu zawiera znak NUL"},
        {good + good + row("Kadry", "Ewa", "Bąk ♥") + "\r\n", "Wiersz 3 pliku importu zawiera znak „♥” (U+2665)"},
        {utf16(good, false), "Wiersz 1 pliku importu zawiera znak NUL"}, // UTF-16 without its mark
        {"\xFF\xFE" + utf16(good + "Jan\tΩ\r\n", false), "Wiersz 2 pliku importu zawiera znak „Ω”"},
        {"\xEF\xBB\xBF" + good + "Kadry\xB9\r\n", "Wiersz 2 pliku importu zawiera bajty, które nie są poprawnym "
                                                  "tekstem w kodowaniu UTF-8 ze znacznikiem BOM."},
    };
    ImportFile input;
    for (const auto& [bytes, start] : refused) {
        TestStore store;
        const ImportResult result = importRegister(store.records, input.writeBytes(bytes));
        EXPECT_EQ(result.refusal.rfind(start, 0), 0u) << result.refusal;
        EXPECT_NE(result.refusal.find("Nic nie zostało zaimportowane."), std::string::npos);
        EXPECT_EQ(result.taken, 0);
        EXPECT_TRUE(filesOf(store.dir).empty()) << start;
    }
}

TEST(Import, APipeIsReadToItsEnd)
{
#ifdef _WIN32
    GTEST_SKIP() << "named pipes are made differently on Windows";
#else
    TestStore store;
    TemporaryDataDirectory folder;
    const std::string pipe = folder.file("lista.fifo");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::thread writer([&] {
        std::ofstream(pipe, std::ios::binary)
            << utf8ToCp1250(row("Kadry", "Anna", "Lis") + "\n" + row("Kadry", "Jan", "Kos") + "\n");
    });
    const ImportResult result = importRegister(store.records, pipe);
    writer.join();
    EXPECT_EQ(result.taken, 2);
    EXPECT_EQ(result.employeesAdded, 2);
#endif
}

TEST(Import, AFailureHalfWaySaysWhereItStoppedAndWhatWasImportedBefore)
{
    TestStore store;
    ImportFile input;
    const std::string file = input.write({row("Kadry", "Anna", "Lis"), row("Kadry", "Jan", "Kos"),
                                          row("Biuro", "Ewa", "Bąk"), row("Biuro", "Ola", "Lis")});
    FailingFiles full("Pe000002.dat", 0); // the disk is full when the third line's employee goes in
    full.bytesBeforeFailure = 20;
    store.files.setFaultInjector(&full);
    try {
        importRegister(store.records, file);
        FAIL() << "the import should have failed";
    } catch (const ImportInterrupted& failure) {
        EXPECT_EQ(failure.relativeName(), "Pe000002.dat");
        EXPECT_EQ(failure.lineNumber(), 3);
        EXPECT_EQ(failure.done().taken, 2);
        EXPECT_EQ(failure.done().unitsAdded, 2) << "the third line's unit went in";
        EXPECT_EQ(failure.done().employeesAdded, 2);
        EXPECT_NE(std::string(failure.what())
                      .find("Import przerwano w wierszu 3 pliku importu; to, co wczytano z wierszy przed nim, zostało "
                            "zapisane (przyjęte wiersze: 2, nowe komórki: 2, nowi pracownicy: 2)."),
                  std::string::npos)
            << failure.what();
    }
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.dir.read("Pe000002.dat"), "") << "the failed append left nothing behind";
    EXPECT_EQ(EmployeeRegister(store.records).liveEmployees("000001").size(), 2u);
}

// The units go in before any employee, so a failure of Cell.dat names the first line of the file
// and claims nothing imported.
TEST(Import, AFailureOfTheUnitsNamesTheFirstLineAndClaimsNothing)
{
    TestStore store;
    ImportFile input;
    const std::string file = input.write({"", row("Kadry", "Anna", "Lis"), row("Biuro", "Ewa", "Bąk")});
    FailingFiles full("Cell.dat", 0);
    store.files.setFaultInjector(&full);
    try {
        importRegister(store.records, file);
        FAIL() << "the import should have failed";
    } catch (const ImportInterrupted& failure) {
        EXPECT_EQ(failure.lineNumber(), 2) << "the blank first line names nobody";
        EXPECT_EQ(failure.done().taken + failure.done().unitsAdded + failure.done().employeesAdded, 0);
    }
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.dir.read("Cell.dat"), "");
    EXPECT_FALSE(store.dir.exists("Pe000001.dat"));
}

// A unit named only once the units pass is over (the file changed under the import, in a part not
// yet read) is looked up and added when its line comes.
TEST(Import, AUnitThatAppearsInTheFileDuringTheImportIsAddedAllTheSame)
{
#ifdef _WIN32
    GTEST_SKIP() << "the import holds its file open for readers only: nobody can change it meanwhile";
#endif
    TestStore store;
    std::vector<std::string> lines;
    for (int i = 0; i < 12'000; ++i) // more than the first block read
        lines.push_back(row("Kadry", "Anna", "Lis " + std::to_string(i)));
    ImportFile input;
    const std::string file = input.write(lines);
    std::ifstream reading(std::filesystem::path(file), std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(reading)), std::istreambuf_iterator<char>());
    const auto lastUnit = static_cast<std::streamoff>(bytes.rfind("\tKadry\t") + 1);
    bool changed = false;
    const ImportResult result = importRegister(store.records, file, [&](std::uint64_t done, std::uint64_t total) {
        if (changed || done == total)
            return;
        changed = true;
        std::fstream inPlace(std::filesystem::path(file), std::ios::in | std::ios::out | std::ios::binary);
        ASSERT_TRUE(inPlace.is_open());
        inPlace.seekp(lastUnit);
        inPlace << utf8ToCp1250("Płace"); // as long as "Kadry"
    });
    ASSERT_TRUE(changed);
    EXPECT_EQ(result.unitsAdded, 2);
    const auto units = UnitRegister(store.records).liveUnits();
    ASSERT_EQ(units.size(), 2u);
    EXPECT_EQ(EmployeeRegister(store.records).liveEmployees(units[1].id).size(), 1u);
    EXPECT_FALSE(store.dir.exists("Pe.dat"));
}

// Another workstation deletes an employee the import names again later, and the unit's file keeps
// its size, its time of change (a file system that keeps times to the second or coarser) and its
// identity (one that hands an inode number out again): the import must still see it.
TEST(Import, AChangeThatKeepsSizeTimeAndIdentityOfTheFileIsSeen)
{
    TestStore store;
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i)
        lines.push_back(row("Kadry", "Anna", "Lis " + std::to_string(i % 100)));
    ImportFile input;
    const std::string file = input.write(lines);
    bool deleted = false;
    importRegister(store.records, file, [&](std::uint64_t done, std::uint64_t total) {
        if (deleted || done == total)
            return;
        deleted = true;
        const std::filesystem::path people(store.dir.file("Pe000001.dat"));
        const auto changed = std::filesystem::last_write_time(people);
        std::string content = store.dir.read("Pe000001.dat");
        const auto flag = content.find("PERSONDELETE=0") + std::string("PERSONDELETE=").size();
        std::fstream inPlace(people, std::ios::in | std::ios::out | std::ios::binary);
        inPlace.seekp(static_cast<std::streamoff>(flag));
        inPlace.put('1');
        inPlace.close();
        std::filesystem::last_write_time(people, changed);
    });
    ASSERT_TRUE(deleted);
    const auto live = EmployeeRegister(store.records).liveEmployees("000001");
    ASSERT_EQ(live.size(), 100u) << "Anna Lis 0 added again after she was deleted";
    EXPECT_EQ(live.back().id, "000101");
}
