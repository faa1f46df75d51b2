// The check of a data directory: a clean office reports nothing, and each kind of damage, seeded on
// its own into that office, is reported exactly once with its file and line.
#include "DataCheck.h"
#include "Accounts.h"
#include "DataRepair.h"
#include "SeededOffice.h"
#include "TestSupport.h"
#include "TextCodec.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace taviro;
using namespace taviro::test;

namespace {

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class DataCheck : public ::testing::Test
{
protected:
    void SetUp() override { writeSeededOffice(dir); }

    std::vector<DataFinding> check()
    {
        CountingNotifier notifier;
        SharedFileAccess files(dir.directory(), notifier);
        return checkDataDirectory(files).findings;
    }

    // Repairs what the check finds and returns what the repair said; the check after it is clean.
    std::string repairAndCheckAgain()
    {
        CountingNotifier notifier;
        SharedFileAccess files(dir.directory(), notifier);
        std::string said;
        for (const std::string& line : repairDataDirectory(files, checkDataDirectory(files), "20260301-120000"))
            said += line + "\n";
        const std::vector<DataFinding> left = check();
        EXPECT_TRUE(left.empty()) << said << findingText(left.front());
        return said;
    }

    // The check finds exactly one thing, in that file and line, and says so with that text.
    void expectOnly(const std::string& file, std::size_t line, const std::string& text)
    {
        const std::vector<DataFinding> findings = check();
        std::string all;
        for (const DataFinding& finding : findings)
            all += findingText(finding) + "\n";
        ASSERT_EQ(findings.size(), 1u) << all;
        EXPECT_EQ(findings[0].file, file);
        EXPECT_EQ(findings[0].line, line);
        EXPECT_NE(findings[0].text.find(text), std::string::npos) << findings[0].text;
    }

    TemporaryDataDirectory dir;
    const std::string& cells = kSeededCells;
};

} // namespace

TEST_F(DataCheck, ACleanOfficeReportsNothing)
{
    CountingNotifier notifier;
    SharedFileAccess files(dir.directory(), notifier);
    const DataCheckReport report = checkDataDirectory(files);
    EXPECT_TRUE(report.findings.empty()) << findingText(report.findings.front());
    EXPECT_EQ(report.filesRead, 10u); // Cell.dat, two Pe, two Gr, five counters
    EXPECT_EQ(checkSummary(report), "Sprawdzono 10 plików: nie znaleziono problemów.");
    EXPECT_EQ(notifier.waits, 0);
}

TEST_F(DataCheck, RecordsThatDoNotParseAreReportedWhereTheyStand)
{
    const RecordLines first = unitRecord("000001", "Kadry");
    const RecordLines second = unitRecord("000002", "Płace");
    struct Case
    {
        std::vector<std::string> lines;
        std::size_t line;
        std::string text;
    };
    const auto with = [&](std::vector<std::string> middle) {
        std::vector<std::string> lines = first;
        lines.insert(lines.end(), middle.begin(), middle.end());
        lines.insert(lines.end(), second.begin(), second.end());
        return lines;
    };
    const Case cases[] = {
        {{"{", "ID=000001", "CELLNAME=Kadry", "CELLDELETE=0", "", "{", "ID=000002", "CELLNAME=Płace", "CELLDELETE=0",
          "}"},
         1,
         "nie ma zamykającego wiersza „}”"},
        {with({"CELLNAME=Zgubiona", "CELLDELETE=0"}), 7, "wiersz z kluczem „CELLNAME=” poza rekordem"},
        {with({"[rekord]"}), 7, "nieznany wiersz poza rekordem: „[rekord]”"},
        {with({"}"}), 7, "wiersz „}” poza rekordem"},
        {{"{", "ID=000001", "CELLDELETE=0", "CELLNAME=Kadry", "}", "", "{", "ID=000002", "CELLDELETE=0", "}"},
         3,
         "wiersz CELLDELETE= nie jest ostatnim polem rekordu 000001: po nim stoi „CELLNAME=” (wiersz 4)"},
        {{"{", "ID=000001", "CELLNAME=Kadry", "}", "{", "ID=000002", "CELLDELETE=0", "}"},
         1,
         "rekord 000001 nie ma wiersza CELLDELETE="},
        {{"{", "ID=000001", "CELLDELETE=0", "}", "{", "ID=00000X", "CELLDELETE=0", "}", "{", "ID=000002",
          "CELLDELETE=0", "}"},
         6,
         "identyfikator „00000X” nie jest liczbą dodatnią"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        dir.write("Cell.dat", storedText(c.lines));
        expectOnly("Cell.dat", c.line, c.text);
    }
}

TEST_F(DataCheck, BytesTheFilesCannotHoldAreReportedWithTheirColumn)
{
    dir.write("Pe000002.dat", recordFile({employeeRecord("000021", "Ewa", std::string("Świe\0ża", 8))}));
    expectOnly("Pe000002.dat", 4, "znak sterujący (bajt 0x00) w kolumnie 19");

    dir.write("Pe000002.dat", recordFile({employeeRecord("000021", "Ewa\t", "Kowalska")}));
    EXPECT_TRUE(check().empty()) << "a tab is text a field takes";

    std::string unassigned = recordFile({employeeRecord("000021", "Ewa", "Świeża")});
    unassigned.replace(unassigned.find("Ewa"), 3, "Ew\x81");
    dir.write("Pe000002.dat", unassigned);
    expectOnly("Pe000002.dat", 3, "bajt 0x81 w kolumnie 14 nie oznacza żadnego znaku");
}

TEST_F(DataCheck, CountersThatWouldHandOutAUsedIdentifierOrAreDamaged)
{
    dir.write("Person.cou", counterBytes(21));
    expectOnly("Person.cou", 0,
               "licznik wskazuje 000021, a najwyższy użyty identyfikator to 000021 w pliku Pe000002.dat (wiersz 2)");
    dir.write("Person.cou", counterBytes(22));

    dir.write("Document.cou", counterBytes(1));
    expectOnly("Document.cou", 0, "najwyższy użyty identyfikator to 000001 w pliku Gr000011.dat (wiersz 4)");
    dir.write("Document.cou", counterBytes(2));

    std::filesystem::remove(pathOf(dir.file("Cell.cou")));
    expectOnly("Cell.cou", 0, "pliku licznika nie ma, więc następne losowanie da 000001");

    dir.write("Cell.cou", counterBytes(3).substr(0, 3));
    expectOnly("Cell.cou", 0, "plik licznika ma 3 bajty zamiast 4");
    dir.write("Cell.cou", counterBytes(3));

    dir.write("Session.cou", counterBytes(-4));
    expectOnly("Session.cou", 0, "licznik ma niepoprawną wartość -4");
}

TEST_F(DataCheck, IdentifiersUsedTwiceAndAnEmployeeLeftInTwoUnits)
{
    dir.write("Cell.dat", cells + recordFile({unitRecord("000001", "Kopia")}));
    expectOnly("Cell.dat", 15, "identyfikator komórki 000001 jest już użyty w wierszu 2 tego pliku");
    dir.write("Cell.dat", cells);

    // Another employee under a used identifier, then the same employee in both units.
    dir.write("Pe000002.dat",
              recordFile({employeeRecord("000021", "Ewa", "Świeża"), employeeRecord("000011", "Piotr", "Zieliński")}));
    expectOnly("Pe000002.dat", 9, "identyfikator pracownika 000011 jest już użyty w pliku Pe000001.dat (wiersz 2)");
    dir.write("Pe000002.dat",
              recordFile({employeeRecord("000021", "Ewa", "Świeża"), employeeRecord("000011", "Jan", "Nowak")}));
    expectOnly("Pe000002.dat", 9,
               "pracownik 000011 (Jan Nowak) jest także w pliku Pe000001.dat (wiersz 2): przeniesienie do innej "
               "komórki zatrzymało się w połowie");
    dir.write("Pe000002.dat", recordFile({employeeRecord("000021", "Ewa", "Świeża")}));

    dir.write("Gr000012.dat", recordFile({appraisalRecord("000102", "15-02-2024", true),
                                          appraisalRecord("000101", "15-02-2025", true)}));
    expectOnly("Gr000012.dat", 8, "identyfikator oceny 000101 jest już użyty w pliku Gr000011.dat (wiersz 2)");
}

TEST_F(DataCheck, FilesOfUnitsAndEmployeesThatDoNotExistAndMissingDocuments)
{
    dir.write("Pe000007.dat", recordFile({employeeRecord("000015", "Adam", "Lis")}));
    expectOnly("Pe000007.dat", 0, "plik pracowników komórki 000007, której nie ma w pliku Cell.dat");
    std::filesystem::remove(pathOf(dir.file("Pe000007.dat")));

    dir.write("Gr000099.dat", recordFile({appraisalRecord("000050", "15-02-2024")}));
    expectOnly("Gr000099.dat", 0, "plik ocen pracownika 000099, którego nie ma w żadnym pliku Pe");
    std::filesystem::remove(pathOf(dir.file("Gr000099.dat")));

    std::filesystem::remove(pathOf(dir.file("Do000001.rtf")));
    expectOnly("Gr000011.dat", 4, "nie ma dokumentu notatek z rozmowy Do000001.rtf wskazanego w wierszu GRADEVAR=");
    // A deleted appraisal is never opened again: its document is not missed.
    dir.write("Gr000011.dat", storedText({"{", "ID=000101", "GRADEVAR=Do000001.rtf", "DELETE=1", "}"}));
    EXPECT_TRUE(check().empty());
}

TEST_F(DataCheck, LeftoversInTempOlderThanADay)
{
    const std::string leftover = relativeName({"Temp", "Gr00001100000003.tem"});
    dir.write(leftover, "half a rewrite");
    std::filesystem::last_write_time(pathOf(dir.file(leftover)),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(50));
    expectOnly(leftover, 0, "pozostałość po pracy programu sprzed 2 dni");
}

TEST_F(DataCheck, UserLinesThatDoNotDecodeOrNameUnitsThatDoNotExist)
{
    const auto line = [](const std::string& units) {
        return pairEncode(
            utf8ToCp1250(userLineText({"Jan", "Nowak", "kadrowy", "jnowak", "tajne", std::string(14, '1'), units})));
    };
    const std::string good = line("000001#000002#");
    dir.write("Users.dat", good + "\r\n" + line("000001#") + "\r\n");
    EXPECT_TRUE(check().empty());

    dir.write("Users.dat", good + "\r\n" + good.substr(0, 8) + "*" + good.substr(9) + "\r\n");
    expectOnly("Users.dat", 2, "znak „*” w kolumnie 9 nie należy do zapisu kont");
    dir.write("Users.dat", good.substr(0, good.size() - 1) + "\r\n");
    expectOnly("Users.dat", 1, "nieparzystą liczbę znaków");
    dir.write("Users.dat", pairEncode("Jan\r\nNowak\r\n") + "\r\n");
    expectOnly("Users.dat", 1, "nie składa się z siedmiu pól");
    dir.write("Users.dat", good + "\r\n" + line("000002#000009#") + "\r\n");
    expectOnly("Users.dat", 2, "konto „jnowak” ma dostęp do komórki 000009, której nie ma w pliku Cell.dat");
}

#ifndef _WIN32
TEST_F(DataCheck, LockFilesOtherUsersCannotLock)
{
    namespace fs = std::filesystem;
    fs::create_directories(pathOf(dir.file("Locks")));
    fs::permissions(pathOf(dir.file("Locks")), fs::perms::group_write | fs::perms::group_read | fs::perms::group_exec,
                    fs::perm_options::add);
    EXPECT_TRUE(check().empty()) << "the check's own lock files are shared like their folder";
    const std::string lock = relativeName({"Locks", "Cell.dat"});
    fs::permissions(pathOf(dir.file(lock)), fs::perms::group_write, fs::perm_options::remove);
    expectOnly(lock, 0, "plik blokady nie ma uprawnień odczytu i zapisu");
    EXPECT_NE(repairAndCheckAgain().find(lock + ": nadano uprawnienia"), std::string::npos);
}
#endif

TEST_F(DataCheck, RepairRaisesACounterAndKeepsItsOldValue)
{
    dir.write("Person.cou", counterBytes(21));
    EXPECT_NE(repairAndCheckAgain().find("Person.cou: licznik ustawiony na 000022"), std::string::npos);
    EXPECT_EQ(dir.read("Person.cou"), counterBytes(22));
    EXPECT_EQ(dir.read(relativeName({"Kopie", "Person.cou.20260301-120000"})), counterBytes(21));
}

TEST_F(DataCheck, RepairRemovesTheCopyAMoveLeftInTheUnitItWasLeaving)
{
    const std::string before = dir.read("Pe000001.dat");
    // The move appended Jan Nowak to unit 2 and stopped before taking him out of unit 1.
    dir.write("Pe000002.dat",
              recordFile({employeeRecord("000021", "Ewa", "Świeża"), employeeRecord("000011", "Jan", "Nowak")}));
    const std::string moved = dir.read("Pe000002.dat");
    EXPECT_NE(repairAndCheckAgain().find("Pe000001.dat: usunięto drugą kopię pracownika 000011"), std::string::npos);
    EXPECT_EQ(dir.read("Pe000001.dat"), recordFile({employeeRecord("000012", "Anna", "Kos", true)}));
    EXPECT_EQ(dir.read("Pe000002.dat"), moved);
    EXPECT_EQ(dir.read(relativeName({"Kopie", "Pe000001.dat.20260301-120000"})), before);
}

TEST_F(DataCheck, RepairLeavesTwoCopiesThatDifferAsTheyAre)
{
    dir.write("Pe000002.dat",
              recordFile({employeeRecord("000021", "Ewa", "Świeża"), employeeRecord("000011", "Jan", "Nowak", true)}));
    const std::string first = dir.read("Pe000001.dat");
    const std::string second = dir.read("Pe000002.dat");
    CountingNotifier notifier;
    SharedFileAccess files(dir.directory(), notifier);
    const auto said = repairDataDirectory(files, checkDataDirectory(files), "20260301-120000");
    ASSERT_EQ(said.size(), 1u);
    EXPECT_NE(said[0].find("nie naprawiono, obie kopie różnią się"), std::string::npos) << said[0];
    EXPECT_EQ(dir.read("Pe000001.dat"), first);
    EXPECT_EQ(dir.read("Pe000002.dat"), second);
    EXPECT_FALSE(dir.exists("Kopie"));
}

TEST_F(DataCheck, RepairRemovesOldLeftoversInTemp)
{
    const std::string leftover = relativeName({"Temp", "Gr00001100000003.tem"});
    dir.write(leftover, "half a rewrite");
    std::filesystem::last_write_time(pathOf(dir.file(leftover)),
                                     std::filesystem::file_time_type::clock::now() - std::chrono::hours(50));
    repairAndCheckAgain();
    EXPECT_FALSE(dir.exists(leftover));
    EXPECT_TRUE(dir.exists(relativeName({"Temp", "Pe00000100000006.tem"}))) << "a rewrite going on now stays";
}
