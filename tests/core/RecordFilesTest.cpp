// Record files: the format, enumeration, finds, reading by identifier, appending and rewriting.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

using namespace taviro;
using namespace taviro::test;

namespace {

Fields unitFields(const std::string& name)
{
    return {{"CELLFIRM=", "Urząd Gminy"}, {"CELLCITY=", "Łódź"},          {"CELLNAME=", name},
            {"CELLPERSON=", "Jan Nowak"}, {"CELLPOSITION=", "Kierownik"}, {"CELLDATE=", "05-03-2024"}};
}

std::string valueOf(const Fields& fields, const std::string& key)
{
    for (const Field& field : fields) {
        if (field.key == key)
            return field.value;
    }
    return "<missing>";
}

const std::vector<std::string> kTwoUnits = {
    "{",         "ID=000001",    "CELLNAME=Kadry", "CELLDELETE=1", "}", "", "{",
    "ID=000002", "CELLNAME=A=B", "CELLCITY=Łódź",  "CELLDELETE=0", "}", "",
};

} // namespace

TEST(RecordFiles, AddedRecordsHaveTheStoredLayout)
{
    TestStore store;
    EXPECT_EQ(store.records.add("Cell.dat", RecordKind::Unit, unitFields("Kadry")), "000001");
    EXPECT_EQ(store.records.add("Cell.dat", RecordKind::Unit, unitFields("Księgowość")), "000002");
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText({"{",
                                                      "ID=000001",
                                                      "CELLFIRM=Urząd Gminy",
                                                      "CELLCITY=Łódź",
                                                      "CELLNAME=Kadry",
                                                      "CELLPERSON=Jan Nowak",
                                                      "CELLPOSITION=Kierownik",
                                                      "CELLDATE=05-03-2024",
                                                      "CELLDELETE=0",
                                                      "}",
                                                      "",
                                                      "{",
                                                      "ID=000002",
                                                      "CELLFIRM=Urząd Gminy",
                                                      "CELLCITY=Łódź",
                                                      "CELLNAME=Księgowość",
                                                      "CELLPERSON=Jan Nowak",
                                                      "CELLPOSITION=Kierownik",
                                                      "CELLDATE=05-03-2024",
                                                      "CELLDELETE=0",
                                                      "}",
                                                      ""}));
    EXPECT_EQ(store.records.add("Gr000007.dat", RecordKind::Appraisal, {{"GRADEA=", "x"}}), "000001");
    EXPECT_NE(store.dir.read("Gr000007.dat").find("DELETE=0\r\n}\r\n\r\n"), std::string::npos);
}

TEST(RecordFiles, AValueThatCannotBeStoredIsRefusedBeforeAnythingIsWritten)
{
    TestStore store;
    EXPECT_THROW(store.records.add("Cell.dat", RecordKind::Unit, unitFields("Dział ☎")), EncodingError);
    EXPECT_FALSE(store.dir.exists("Cell.dat"));
    EXPECT_FALSE(store.dir.exists("Cell.cou")) << "no identifier is used up";
}

TEST(RecordFiles, EnumerationYieldsLiveRecordsOnly)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText(kTwoUnits));
    const auto units = store.records.enumerateLive("Cell.dat", RecordKind::Unit, {"CELLNAME=", "CELLCITY=", "X="});
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].id, "000002");
    EXPECT_EQ(units[0].values, (std::vector<std::string>{"A=B", "Łódź", ""}));
}

TEST(RecordFiles, AMissingFileIsEmptyAndNeverOpened)
{
    TestStore store;
    EXPECT_TRUE(store.records.enumerateLive("Pe000001.dat", RecordKind::Employee, {"PERSONNAME="}).empty());
    EXPECT_TRUE(store.records.readById("Pe000001.dat", "000001").empty());
    EXPECT_EQ(store.records.findEmployeeIdByName("000001", "Jan", "Nowak"), "");
    EXPECT_FALSE(store.records.rewrite("Pe000001.dat", "000001", softDelete(RecordKind::Employee)));
    EXPECT_EQ(store.notifier.waits, 0);
    EXPECT_FALSE(store.dir.exists("Pe000001.dat"));
}

TEST(RecordFiles, FindUnitByNameIgnoresLetterCaseButNotBlanksOrDeletedUnits)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=1", "}", "", "{",
                                            "ID=000002", "CELLNAME=Kadry", "CELLDELETE=0", "}", "", "{", "ID=000003",
                                            "CELLNAME=ŁÓDŹ", "CELLDELETE=0", "}", ""}));
    EXPECT_EQ(store.records.findUnitIdByName("kadry"), "000002");
    EXPECT_EQ(store.records.findUnitIdByName("KADRY"), "000002");
    EXPECT_EQ(store.records.findUnitIdByName("Kadry "), "");
    EXPECT_EQ(store.records.findUnitIdByName("łódź"), "000003");
    EXPECT_EQ(store.records.findUnitIdByName("lodz"), "") << "diacritics count";
}

TEST(RecordFiles, FindEmployeeNeedsBothNamesInOneRecord)
{
    TestStore store;
    store.dir.write("Pe000004.dat", storedText({"{", "ID=000010", "PERSONNAME=Anna", "PERSONSURNAME=Kowalska",
                                                "PERSONDELETE=0", "}", "", "{", "ID=000011", "PERSONNAME=Jan",
                                                "PERSONSURNAME=Żak", "PERSONDELETE=0", "}", ""}));
    EXPECT_EQ(store.records.findEmployeeIdByName("000004", "jan", "ŻAK"), "000011");
    EXPECT_EQ(store.records.findEmployeeIdByName("000004", "Anna", "Żak"), "");
    EXPECT_EQ(store.records.findEmployeeIdByName("000005", "Anna", "Kowalska"), "");
}

TEST(RecordFiles, ReadByIdentifierFindsDeletedRecordsAndDecodesValues)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Kadry", "CELLPERSON=a#$b", "CELLDELETE=1", "}",
                                            "", "{", "ID=000002", "CELLNAME=A=B", "CELLDELETE=0", "}", ""}));
    const Fields deleted = store.records.readById("Cell.dat", "000001");
    EXPECT_EQ(deleted,
              (Fields{{"ID=", "000001"}, {"CELLNAME=", "Kadry"}, {"CELLPERSON=", "a\r\nb"}, {"CELLDELETE=", "1"}}));
    EXPECT_EQ(valueOf(store.records.readById("Cell.dat", "2"), "CELLNAME="), "A=B") << "matched as a number";
    EXPECT_TRUE(store.records.readById("Cell.dat", "000003").empty());
}

TEST(RecordFiles, ADamagedRecordNeverLendsItsValuesToTheNext)
{
    TestStore store;
    // Record 1 lost its end in a crash; record 2 is whole.
    store.dir.write("Cell.dat", storedText({"{", "ID=000001", "CELLNAME=Torn", "CELLCITY=Radom", "{", "ID=000002",
                                            "CELLNAME=Whole", "CELLDELETE=0", "}", ""}) +
                                    "{\r\nID=000003\r\nCELLNAME=Cut");
    const auto units = store.records.enumerateLive("Cell.dat", RecordKind::Unit, {"CELLNAME=", "CELLCITY="});
    ASSERT_EQ(units.size(), 1u);
    EXPECT_EQ(units[0].id, "000002");
    EXPECT_EQ(units[0].values, (std::vector<std::string>{"Whole", ""}));
    EXPECT_EQ(store.records.readById("Cell.dat", "000001"),
              (Fields{{"ID=", "000001"}, {"CELLNAME=", "Torn"}, {"CELLCITY=", "Radom"}}));
    EXPECT_EQ(valueOf(store.records.readById("Cell.dat", "000003"), "CELLNAME="), "Cut");
    // A new record after the cut line still lands on a line of its own and is found.
    const std::string id = store.records.add("Cell.dat", RecordKind::Unit, unitFields("Nowa"));
    EXPECT_EQ(store.records.findUnitIdByName("Nowa"), id);
}

TEST(RecordFiles, SoftDeleteChangesOnlyTheDeletionLine)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText(kTwoUnits));
    const std::string before = store.dir.read("Cell.dat");
    EXPECT_TRUE(store.records.rewrite("Cell.dat", "000002", softDelete(RecordKind::Unit)));
    std::string expected = before;
    expected.replace(expected.rfind("CELLDELETE=0"), 12, "CELLDELETE=1");
    EXPECT_EQ(store.dir.read("Cell.dat"), expected);
    EXPECT_TRUE(store.records.enumerateLive("Cell.dat", RecordKind::Unit, {}).empty());
    EXPECT_FALSE(store.dir.exists(store.records.temporaryFileName("Cell.dat"))) << "the copy took the file's place";
}

TEST(RecordFiles, ReplaceValuesAddsAMissingDateBeforeTheEnd)
{
    TestStore store;
    const std::vector<std::string> lines = {
        "{", "ID=000005", "CELLFIRM=Gmina", "CELLNAME=Kadry", "UNKNOWN=kept", "CELLDELETE=0", "}", ""};
    store.dir.write("Cell.dat", storedText(lines));
    store.records.rewrite("Cell.dat", "000005",
                          replaceValues({{"CELLNAME=", "Płace"}, {"CELLDATE=", "01-02-2020"}}, {"CELLDATE="}));
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText({"{", "ID=000005", "CELLFIRM=Gmina", "CELLNAME=Płace",
                                                      "UNKNOWN=kept", "CELLDELETE=0", "CELLDATE=01-02-2020", "}", ""}));
    // Present the second time: replaced in place, not added again.
    store.records.rewrite("Cell.dat", "000005", replaceValues({{"CELLDATE=", "02-02-2020"}}, {"CELLDATE="}));
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText({"{", "ID=000005", "CELLFIRM=Gmina", "CELLNAME=Płace",
                                                      "UNKNOWN=kept", "CELLDELETE=0", "CELLDATE=02-02-2020", "}", ""}));
}

TEST(RecordFiles, ReplaceBodyKeepsTheIdentifierLine)
{
    TestStore store;
    store.dir.write("Gr000003.dat", storedText({"{", "ID=000009", "A=1", "B=2", "DELETE=0", "}", "", "{", "ID=000010",
                                                "A=x", "DELETE=0", "}", ""}));
    store.records.rewrite("Gr000003.dat", "000009", replaceBody(RecordKind::Appraisal, {{"A=", "3"}, {"C=", "4"}}));
    EXPECT_EQ(store.dir.read("Gr000003.dat"), storedText({"{", "ID=000009", "A=3", "C=4", "DELETE=0", "}", "", "{",
                                                          "ID=000010", "A=x", "DELETE=0", "}", ""}));
}

TEST(RecordFiles, RewriteWithAnAbsentIdentifierCopiesEveryByte)
{
    TestStore store;
    // Unknown keys, a line without "=", odd bytes and an unassigned code-page byte all survive.
    const std::string content =
        std::string("{\r\nID=000001\r\nX\x81Y=\xB9\xB3\r\nno equals\r\nCELLDELETE=0\r\n}\r\n\r\n");
    store.dir.write("Cell.dat", content);
    EXPECT_FALSE(store.records.rewrite("Cell.dat", "000099", softDelete(RecordKind::Unit)));
    EXPECT_EQ(store.dir.read("Cell.dat"), content);
    // Selection is by the six-character text only.
    EXPECT_FALSE(store.records.rewrite("Cell.dat", "1", softDelete(RecordKind::Unit)));
    EXPECT_EQ(store.dir.read("Cell.dat"), content);
}

TEST(RecordFiles, ARewriteCopiesTheLinesItDoesNotChangeWithTheirBlanks)
{
    TestStore store;
    // An imported unit keeps the blanks the import file gave it; a line of the corrected record
    // that the correction does not touch keeps its own.
    const std::vector<std::string> lines = {
        "{", "ID=000001", "CELLNAME= Kadry ", "CELLCITY=\tŁódź",      "CELLDELETE=0", "}", "",
        "{", "ID=000002", "CELLNAME=Biuro",   "UWAGI=  z blankami  ", "CELLDELETE=0", "}", ""};
    store.dir.write("Cell.dat", storedText(lines));
    UnitRegister(store.records).correct(Unit{"000002", "", "", "Biuro Rady", "", "", "01-02-2020"});
    std::vector<std::string> expected = lines;
    expected[9] = "CELLNAME=Biuro Rady";
    expected.insert(expected.begin() + 12, "CELLDATE=01-02-2020");
    EXPECT_EQ(store.dir.read("Cell.dat"), storedText(expected));
}

TEST(RecordFiles, AFailedRewriteLeavesTheFileAsItWas)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText(kTwoUnits));
    const std::string before = store.dir.read("Cell.dat");
    FailingFiles faults(store.records.temporaryFileName("Cell.dat"), 0);
    store.files.setFaultInjector(&faults);
    EXPECT_THROW(store.records.rewrite("Cell.dat", "000002", softDelete(RecordKind::Unit)), IoError);
    store.files.setFaultInjector(nullptr);
    EXPECT_EQ(store.dir.read("Cell.dat"), before);
    EXPECT_THROW(store.records.rewrite("Cell.dat", "000002", replaceValues({{"CELLNAME=", "Dział ☎"}})), EncodingError);
    EXPECT_EQ(store.dir.read("Cell.dat"), before);
    // Nothing stays locked after either failure.
    store.records.rewrite("Cell.dat", "000002", softDelete(RecordKind::Unit));
    EXPECT_TRUE(store.records.enumerateLive("Cell.dat", RecordKind::Unit, {}).empty());
}

namespace {

// Runs a check while the rewrite writes its temporary file, that is between its reading of the
// record file and the replacement of the file by the copy.
class DuringTheCopy : public FaultInjector
{
public:
    DuringTheCopy(std::string temporary, std::function<void()> check)
        : m_temporary(std::move(temporary)), m_check(std::move(check))
    {}
    platform::ErrorCode beforeWrite(const std::string& relativeName) override
    {
        if (relativeName == m_temporary) {
            ++calls;
            m_check();
        }
        return 0;
    }
    platform::ErrorCode beforeRead(const std::string&) override { return 0; }
    int calls = 0;

private:
    std::string m_temporary;
    std::function<void()> m_check;
};

} // namespace

// A rewrite holds its file alone (an exclusive lock) from its reading to the replacement: a second
// rewrite on another workstation waits, since it would copy the file as it was before the first
// and put its copy over the first one's. Readers and appenders wait as well.
TEST(RecordFiles, ARewriteHoldsItsFileAloneFromItsReadingToTheReplacement)
{
    TestStore store;
    store.dir.write("Cell.dat", storedText(kTwoUnits));
    // Another workstation on the same data directory, with a session of its own.
    CountingNotifier otherNotifier;
    SharedFileAccess otherFiles(store.dir.directory(), otherNotifier);
    Counters otherCounters(otherFiles);
    RecordFiles other(otherFiles, otherCounters, "00000002");
    std::vector<std::string> admitted;
    DuringTheCopy during(store.records.temporaryFileName("Cell.dat"), [&] {
        for (const auto& [name, kind] :
             std::vector<std::pair<std::string, OpenKind>>{{"a reader", OpenKind::TextRead},
                                                           {"an appender", OpenKind::TextAppend},
                                                           {"a rewrite", OpenKind::BinaryRead},
                                                           {"a whole-file write", OpenKind::BinaryReadWrite}}) {
            try {
                otherFiles.openOnce("Cell.dat", kind).close();
                admitted.push_back(name);
            } catch (const IoError&) {
            }
        }
        // The other workstation's own rewrite waits (and is given up here after a few attempts).
        otherNotifier.onWait = [](int waits) {
            if (waits == 3)
                throw std::runtime_error("still waiting");
        };
        EXPECT_THROW(other.rewrite("Cell.dat", "000001", softDelete(RecordKind::Unit)), std::runtime_error);
        otherNotifier.onWait = nullptr;
    });
    store.files.setFaultInjector(&during);
    UnitRegister(store.records).correct(Unit{"000002", "", "", "Biuro", "", "", "01-02-2020"});
    store.files.setFaultInjector(nullptr);
    ASSERT_EQ(during.calls, 1);
    EXPECT_TRUE(admitted.empty()) << admitted.front() << " got in while the rewrite copied the file";
    EXPECT_EQ(otherNotifier.waits, 3);
    EXPECT_EQ(store.records.findUnitIdByName("Biuro"), "000002");
    // Once it is over, the other workstation's rewrite goes through and keeps the first one's change.
    EXPECT_TRUE(other.rewrite("Cell.dat", "000001", softDelete(RecordKind::Unit)));
    EXPECT_EQ(store.records.findUnitIdByName("Biuro"), "000002");
}

TEST(RecordFiles, TemporaryNamesCarryTheSession)
{
    TestStore store("00000042");
    EXPECT_EQ(store.records.temporaryFileName("Cell.dat"), relativeName({"Temp", "Cell00000042.tem"}));
    EXPECT_EQ(store.records.temporaryFileName("Pe000012.dat"), relativeName({"Temp", "Pe00001200000042.tem"}));
    EXPECT_EQ(store.records.temporaryFileName("Gr000034.dat"), relativeName({"Temp", "Gr00003400000042.tem"}));
}

TEST(RecordFiles, ValueFromLoadedLines)
{
    const std::vector<std::string> lines = {"ID=000001", "SECTIONANAME=Jan", "SECTIONANAME2=Ewa", "EMPTY", "X=a=b"};
    EXPECT_EQ(valueFromLoaded(lines, "SECTIONANAME"), "Jan");
    EXPECT_EQ(valueFromLoaded(lines, "ANAME2"), "Ewa") << "the key may stand anywhere in the line";
    EXPECT_EQ(valueFromLoaded(lines, "EMPTY"), "");
    EXPECT_EQ(valueFromLoaded(lines, "X="), "a=b");
    EXPECT_EQ(valueFromLoaded(lines, "NONE"), "");
}
