// The backup copy of a data directory: every file of the folder goes into the copy as it is, record
// files under their locks, the manifest tells each file's size and digest, and the later check of
// the copy finds every kind of damage.
#include "DataBackup.h"
#include "DataCheck.h"
#include "SeededOffice.h"
#include "Sha256.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace taviro;
using namespace taviro::test;

namespace {

TEST(Sha256, KnownDigestsWholeAndFedInPiecesAcrossBlockEnds)
{
    EXPECT_EQ(sha256Hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(sha256Hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // 56 bytes: the padding needs a block of its own.
    EXPECT_EQ(sha256Hex("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
              "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
    Sha256 pieces;
    const std::string million(1000000, 'a');
    for (std::size_t at = 0, size = 1; at < million.size(); at += size, size = size % 131 + 7)
        pieces.update(std::string_view(million).substr(at, size));
    EXPECT_EQ(pieces.hexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

std::filesystem::path pathOf(const std::string& utf8)
{
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

class DataBackup : public ::testing::Test
{
protected:
    void SetUp() override
    {
        writeSeededOffice(dir);
        dir.write("Start.hlp", "Pomoc na start: zażółć gęślą jaźń\r\n");
        dir.write(relativeName({"Kopie", "Cell.dat.20260301-120000"}), "an old copy of the repair");
    }

    BackupReport backUp(WaitNotifier& notifier)
    {
        SharedFileAccess files(dir.directory(), notifier);
        return backupDataDirectory(files, copyPath, "Kopia testowa");
    }

    std::vector<std::string> copiedNames() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(pathOf(copyPath)))
            names.push_back(entry.path().filename().string() + (entry.is_directory() ? "/" : ""));
        std::sort(names.begin(), names.end());
        return names;
    }

    std::string copied(const std::string& name) const { return copy.read(name); }

    TemporaryDataDirectory dir;
    TemporaryDataDirectory copy;
    const std::string copyPath = copy.file("kopia");
};

TEST_F(DataBackup, CopiesEveryFileOfTheFolderAsItIsAndNoneOfItsWorkingFolders)
{
    CountingNotifier notifier;
    const BackupReport report = backUp(notifier);
    EXPECT_TRUE(report.warnings.empty());

    const std::vector<std::string> expected = {
        "Cell.cou",     "Cell.dat",     "Do000001.rtf", "Document.cou", "Gr000011.dat", "Gr000012.dat", "Kopia.sha256",
        "Pe000001.dat", "Pe000002.dat", "Person.cou",   "Grade.cou",    "Session.cou",  "Start.hlp",
    };
    std::vector<std::string> sorted = expected;
    std::sort(sorted.begin(), sorted.end());
    ASSERT_EQ(copiedNames(), sorted);
    ASSERT_EQ(report.files.size(), expected.size() - 1);
    for (const BackupFile& file : report.files) {
        const std::string original = dir.read(file.name);
        EXPECT_EQ(copied(relativeName({"kopia", file.name})), original) << file.name;
        EXPECT_EQ(file.size, original.size());
        EXPECT_EQ(file.sha256, sha256Hex(original));
    }
    const std::string manifest = copied(relativeName({"kopia", "Kopia.sha256"}));
    EXPECT_NE(manifest.find(std::to_string(kSeededCells.size()) + " " + sha256Hex(kSeededCells) + " Cell.dat\r\n"),
              std::string::npos)
        << manifest;

    const BackupVerification verification = verifyBackup(copyPath);
    EXPECT_TRUE(verification.problems.empty()) << verification.problems.front();
    EXPECT_EQ(verification.filesChecked, expected.size() - 1);
    EXPECT_EQ(verificationSummary(verification), "Sprawdzono 12 plików kopii: kopia jest zgodna ze spisem.");

    CountingNotifier checking;
    SharedFileAccess copyFiles(DataDirectory(DataDirectory::withTrailingSeparator(copyPath, platform::kSeparator)),
                               checking);
    const DataCheckReport check = checkDataDirectory(copyFiles);
    EXPECT_TRUE(check.findings.empty()) << findingText(check.findings.front());
}

// While a workstation holds an employee file to append to it, the copy waits for it, holding the
// employee files it has already read, and then takes the file with the new record.
TEST_F(DataBackup, ARecordFileHeldByAWriterIsCopiedOnceTheWriterIsDone)
{
    CountingNotifier writing;
    SharedFileAccess writer(dir.directory(), writing);
    SharedFile held = writer.openWithRetry("Pe000002.dat", OpenKind::TextAppend);
    const std::string added = recordFile({employeeRecord("000015", "Piotr", "Wiśniewski")});

    CountingNotifier copying;
    copying.onWait = [&](int) {
        if (held.fullPath().empty())
            return;
        held.append(added);
        held.close();
        held = SharedFile();
    };
    backUp(copying);
    EXPECT_GT(copying.waits, 0);
    EXPECT_EQ(copied(relativeName({"kopia", "Pe000002.dat"})), dir.read("Pe000002.dat"));
    EXPECT_NE(dir.read("Pe000002.dat").find("ID=000015"), std::string::npos);
    EXPECT_TRUE(verifyBackup(copyPath).problems.empty());
}

TEST_F(DataBackup, VerifyFindsAChangedAShortenedAMissingAndAnUnlistedFileAndABadLine)
{
    CountingNotifier notifier;
    backUp(notifier);
    std::string cells = kSeededCells;
    cells[cells.find("Kadry")] = 'k';
    copy.write(relativeName({"kopia", "Cell.dat"}), cells);
    const std::string employees = dir.read("Pe000001.dat");
    copy.write(relativeName({"kopia", "Pe000001.dat"}), employees.substr(0, employees.size() - 3));
    std::filesystem::remove(pathOf(copy.file(relativeName({"kopia", "Gr000012.dat"}))));
    copy.write(relativeName({"kopia", "Pe000009.dat"}), "");
    copy.write(relativeName({"kopia", "Kopia.sha256"}),
               copied(relativeName({"kopia", "Kopia.sha256"})) + "12 not-a-digest Gr000099.dat\r\n");

    const BackupVerification verification = verifyBackup(copyPath);
    const std::vector<std::string> expected = {
        "Cell.dat: zawartość pliku różni się od zapisanej w spisie (inna suma SHA-256)",
        "Gr000012.dat: brak pliku w kopii",
        "Pe000001.dat: plik ma " +
            polishCount(static_cast<long long>(employees.size() - 3), "bajt", "bajty", "bajtów") +
            ", a według spisu powinien mieć " +
            polishCount(static_cast<long long>(employees.size()), "bajt", "bajty", "bajtów"),
        "Kopia.sha256, wiersz 15: wiersz nie ma postaci „rozmiar SHA-256 nazwa”",
        "Pe000009.dat: plik, którego nie ma w spisie kopii",
    };
    EXPECT_EQ(verification.problems, expected);
    EXPECT_EQ(verificationSummary(verification), "Sprawdzono 12 plików kopii: znaleziono 5 problemów.");

    std::filesystem::remove(pathOf(copy.file(relativeName({"kopia", "Kopia.sha256"}))));
    ASSERT_EQ(verifyBackup(copyPath).problems.size(), 1u);
    EXPECT_NE(verifyBackup(copyPath).problems[0].find("brak spisu kopii"), std::string::npos);
}

TEST_F(DataBackup, AFolderThatHoldsAnythingIsRefused)
{
    EXPECT_FALSE(backupRefusal(copyPath)); // missing: it will be made
    copy.write(relativeName({"kopia", "stara.txt"}), "x");
    ASSERT_TRUE(backupRefusal(copyPath));
    EXPECT_NE(backupRefusal(copyPath)->find("nie jest pusty"), std::string::npos);
    EXPECT_TRUE(backupRefusal(copy.file(relativeName({"kopia", "stara.txt"})))->find("nie jest katalogiem") !=
                std::string::npos);
}

} // namespace
