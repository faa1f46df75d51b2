// Shared-file access: who may open a file while somebody else has it, the retry protocol with
// its single warning, whole-file replacement and the block copy.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>
#include <stdexcept>

using namespace taviro;
using namespace taviro::test;

namespace {

bool opensNow(SharedFileAccess& files, const std::string& name, OpenKind kind)
{
    try {
        files.openOnce(name, kind);
        return true;
    } catch (const IoError&) {
        return false;
    }
}

} // namespace

TEST(SharedFiles, ManyReadersOrOneWriter)
{
    TestStore store;
    store.dir.write("Cell.dat", "{\r\n");
    {
        SharedFile reader = store.files.openWithRetry("Cell.dat", OpenKind::TextRead);
        EXPECT_TRUE(opensNow(store.files, "Cell.dat", OpenKind::TextRead));
        EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::TextAppend));
        EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::BinaryRead));
    }
    for (const OpenKind writer : {OpenKind::TextAppend, OpenKind::TextRewrite, OpenKind::BinaryReadWrite,
                                  OpenKind::BinaryCreate, OpenKind::BinaryOpenOrCreate}) {
        SharedFile held = store.files.openWithRetry("Cell.dat", writer);
        EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::TextRead));
        EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::TextAppend));
        EXPECT_TRUE(opensNow(store.files, "Pe000001.dat", OpenKind::BinaryCreate)) << "other files are free";
        held.close();
        EXPECT_TRUE(opensNow(store.files, "Cell.dat", OpenKind::TextRead));
    }
    EXPECT_TRUE(store.dir.exists("Locks/Cell.dat")) << "locks are taken on the companion file";
}

TEST(SharedFiles, OpensOfMissingFilesFailOrCreateByKind)
{
    TestStore store;
    EXPECT_FALSE(opensNow(store.files, "Gr000001.dat", OpenKind::TextRead));
    EXPECT_FALSE(opensNow(store.files, "Gr000001.dat", OpenKind::TextAppend));
    EXPECT_FALSE(opensNow(store.files, "Gr000001.dat", OpenKind::BinaryRead));
    EXPECT_FALSE(store.files.exists("Gr000001.dat"));
    EXPECT_TRUE(opensNow(store.files, "Gr000001.dat", OpenKind::TextRewrite));
    EXPECT_TRUE(store.files.exists("Gr000001.dat"));
    // A file expected to be new may be there after all (made elsewhere a moment ago): it is kept.
    store.dir.write("Pe000001.dat", "{\r\n");
    store.files.openWithRetry("Pe000001.dat", OpenKind::TextAppendToNew).append("}\r\n");
    EXPECT_EQ(store.dir.read("Pe000001.dat"), "{\r\n}\r\n");
    EXPECT_TRUE(opensNow(store.files, "Pe000002.dat", OpenKind::TextAppendToNew));
    EXPECT_EQ(store.dir.read("Pe000002.dat"), "");
}

TEST(SharedFiles, AReadIntoAKeptBufferGivesEachFileItsOwnBytes)
{
    TestStore store;
    store.dir.write("Gr000001.dat", std::string(5000, 'x'));
    store.dir.write("Gr000002.dat", "{\r\n");
    std::string buffer;
    EXPECT_EQ(store.files.readIfExists("Gr000001.dat", buffer), std::string(5000, 'x'));
    EXPECT_EQ(store.files.readIfExists("Gr000002.dat", buffer), "{\r\n");
    EXPECT_EQ(store.files.readIfExists("Gr000003.dat", buffer), std::nullopt);
    EXPECT_TRUE(opensNow(store.files, "Gr000002.dat", OpenKind::BinaryCreate)) << "no lock stays held";
}

TEST(SharedFiles, RetryWaitsUntilTheHolderLetsGoWithoutAWarning)
{
    TestStore store;
    store.dir.write("Pe000012.dat", "x");
    std::optional<SharedFile> holder = store.files.openWithRetry("Pe000012.dat", OpenKind::TextAppend);
    store.notifier.onWait = [&](int waits) {
        if (waits == 30)
            holder.reset();
    };
    SharedFile reader = store.files.openWithRetry("Pe000012.dat", OpenKind::TextRead);
    EXPECT_EQ(reader.readAll(), "x");
    EXPECT_EQ(store.notifier.waits, 30);
    EXPECT_TRUE(store.notifier.warnings.empty());
}

TEST(SharedFiles, WarningComesOnceAtTheThousandthFailureAndTheOpenStillSucceeds)
{
    TestStore store;
    store.dir.write("Pe000012.dat", "x");
    std::optional<SharedFile> holder = store.files.openWithRetry("Pe000012.dat", OpenKind::TextAppend);
    int waitsAtWarning = 0;
    store.notifier.onWarning = [&] { waitsAtWarning = store.notifier.waits; };
    store.notifier.onWait = [&](int waits) {
        if (waits == 2500)
            holder.reset();
    };
    SharedFile reader = store.files.openWithRetry("Pe000012.dat", OpenKind::TextRead);
    ASSERT_EQ(store.notifier.warnings.size(), 1u);
    EXPECT_EQ(waitsAtWarning, 1000);
    EXPECT_EQ(store.notifier.warnings[0], "UWAGA! Nastąpiło przeterminowanie dostępu do pliku - Pe000012.dat - "
                                          "prosze poinformowac o tym obsługę informatyczną firmy.");
    // The next operation counts afresh.
    reader.close();
    store.files.openWithRetry("Pe000012.dat", OpenKind::TextRead);
    EXPECT_EQ(store.notifier.warnings.size(), 1u);
}

TEST(SharedFiles, AMissingFileOpenedWithRetryWaitsLikeALockedOne)
{
    TestStore store;
    store.notifier.onWait = [&](int waits) {
        if (waits == 5)
            store.dir.write("Cell.cou", "abcd");
    };
    SharedFile file = store.files.openWithRetry("Cell.cou", OpenKind::BinaryReadWrite);
    EXPECT_EQ(file.size(), 4u);
    EXPECT_EQ(store.notifier.waits, 5);
}

TEST(SharedFiles, AnAppendFailingHalfWayLeavesTheFileAsItWasAndNothingOpen)
{
    TestStore store;
    // A whole file, and one whose last line a crash cut short (the append then starts with CR LF).
    for (const std::string before : {"{\r\nID=000001\r\n", "{\r\nID=000001\r\nCELLNA"}) {
        store.dir.write("Cell.dat", before);
        FailingFiles faults("Cell.dat", 0);
        faults.bytesBeforeFailure = 9; // the disk fills up in the middle of the record
        store.files.setFaultInjector(&faults);
        try {
            SharedFile file = store.files.openWithRetry("Cell.dat", OpenKind::TextAppend);
            file.append("{\r\nID=000002\r\nCELLDELETE=0\r\n}\r\n\r\n");
            FAIL() << "the append should have failed";
        } catch (const IoError& error) {
            EXPECT_EQ(error.relativeName(), "Cell.dat");
        }
        store.files.setFaultInjector(nullptr);
        EXPECT_EQ(store.dir.read("Cell.dat"), before);
        EXPECT_TRUE(opensNow(store.files, "Cell.dat", OpenKind::BinaryCreate)) << "the lock was released";
    }
}

TEST(SharedFiles, AppendAfterATornLineStartsOnALineOfItsOwn)
{
    TestStore store;
    store.dir.write("Cell.dat", "{\r\nID=000001\r\nCELLNA");
    SharedFile file = store.files.openWithRetry("Cell.dat", OpenKind::TextAppend);
    file.append("{\r\n");
    file.close();
    EXPECT_EQ(store.dir.read("Cell.dat"), "{\r\nID=000001\r\nCELLNA\r\n{\r\n");
}

TEST(SharedFiles, AnErrorThatWaitingDoesNotMendEndsTheWaitWithItsMessage)
{
    TestStore store;
    // A folder where the file should be: no wait makes it a file.
    ASSERT_EQ(platform::createDirectories(store.dir.file("Cell.dat")), 0);
    store.notifier.onWait = [](int waits) {
        if (waits > 2000)
            throw std::runtime_error("waits for ever");
    };
    try {
        store.files.openWithRetry("Cell.dat", OpenKind::TextAppend);
        FAIL() << "the open should have given up";
    } catch (const IoError& error) {
        EXPECT_EQ(error.relativeName(), "Cell.dat");
        EXPECT_EQ(std::string(error.what()).rfind("Nie można otworzyć pliku Cell.dat: ", 0), 0u) << error.what();
    }
    EXPECT_TRUE(store.notifier.warnings.empty()) << "it ends before the timeout warning";
}

// A reader may get in then: it sees the file whole, since writers only append in one write or
// put a new file in place.
TEST(SharedFiles, ALockFileRemovedWhileHeldLetsNoSecondWriterIn)
{
    TestStore store;
    store.dir.write("Cell.dat", "{\r\n");
    SharedFile held = store.files.openWithRetry("Cell.dat", OpenKind::TextAppend);
    std::error_code ignored; // where the system refuses to remove an open lock file, so much the better
    std::filesystem::remove(std::filesystem::path(store.dir.file("Locks/Cell.dat")), ignored);
    EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::TextAppend));
    EXPECT_FALSE(opensNow(store.files, "Cell.dat", OpenKind::BinaryRead));
    held.close();
    EXPECT_TRUE(opensNow(store.files, "Cell.dat", OpenKind::TextAppend));
}

TEST(SharedFiles, TheOpenOfTwoLockedFilesWarnsOnceAtTheThousandthFailure)
{
    TestStore store;
    auto [source, target] = store.files.lockBothWithRetry("Pe000002.dat", "Pe000001.dat");
    int waitsAtWarning = 0;
    store.notifier.onWarning = [&] { waitsAtWarning = store.notifier.waits; };
    store.notifier.onWait = [&](int waits) {
        if (waits == 2500)
            store.dir.write("Pe000002.dat", "{\r\n"); // the file the open waits for appears
    };
    store.files.openLocked(source, OpenKind::BinaryRead);
    EXPECT_EQ(source.readAll(), "{\r\n");
    ASSERT_EQ(store.notifier.warnings.size(), 1u);
    EXPECT_EQ(waitsAtWarning, 1000);
    EXPECT_NE(store.notifier.warnings[0].find(" - Pe000002.dat - "), std::string::npos) << store.notifier.warnings[0];
}

// Every operation that writes a file holds it alone: with a reader in it, it waits until the
// reader has gone, and writes nothing before.
TEST(SharedFiles, EveryWritingOperationWaitsForTheReaderOfItsFile)
{
    TestStore store;
    UnitRegister units(store.records);
    EmployeeRegister employees(store.records);
    const std::string kadry = units.add(Unit{{}, "Gmina", "", "Kadry", "", "", ""});
    const std::string anna = employees.add(kadry, Employee{{}, "Anna", "Lis", "", "", "", "", "", ""});
    const std::string biuro = units.add(Unit{{}, "Gmina", "", "Biuro", "", "", ""});
    employees.add(biuro, Employee{{}, "Jan", "Kos", "", "", "", "", "", ""});
    Accounts(store.files).writeAdministratorPassword("STARE");
    const std::string importFile = store.dir.file("lista.txt");
    store.dir.write("lista.txt", utf8ToCp1250("Gmina\t\tNowy\t\t\tEwa\tBąk\t\t1\t\t\r\n"));

    const std::vector<std::pair<std::string, std::function<void()>>> writers = {
        {"Cell.dat",
         [&] {
             units.add(Unit{{}, "Gmina", "", "Płace", "", "", ""});
         }},
        {"Cell.dat",
         [&] {
             units.correct(Unit{kadry, "Gmina", "", "Kadry i płace", "", "", ""});
         }},
        {"Cell.dat", [&] { units.remove(biuro); }},
        {"Cell.dat", [&] { importRegister(store.records, importFile); }},
        {employeesFileName(kadry),
         [&] {
             employees.add(kadry, Employee{{}, "Ewa", "Bąk", "", "", "", "", "", ""});
         }},
        {employeesFileName(biuro), [&] { moveEmployee(store.records, kadry, biuro, anna); }},
        {"Cell.cou", [&] { store.counters.next(Counter::Cell); }},
        {"Admin.dat", [&] { Accounts(store.files).writeAdministratorPassword("NOWE"); }},
    };
    for (const auto& [file, write] : writers) {
        std::optional<SharedFile> reader = store.files.openWithRetry(file, OpenKind::TextRead);
        const std::string before = store.dir.read(file);
        store.notifier.waits = 0;
        store.notifier.onWait = [&, name = file](int waits) {
            EXPECT_EQ(store.dir.read(name), before) << name << ": written while the reader reads";
            if (waits == 3)
                reader.reset();
        };
        write();
        store.notifier.onWait = nullptr;
        EXPECT_EQ(store.notifier.waits, 3) << file;
        EXPECT_NE(store.dir.read(file), before) << file;
    }
}

TEST(SharedFiles, StaleTemporaryFilesGoButNotFreshOnesOrOnesInUse)
{
    TestStore store;
    const auto temporary = [&](const std::string& name, int hoursOld) {
        const std::string relative = relativeName({"Temp", name});
        store.dir.write(relative, "{\r\n");
        const std::filesystem::path path(store.dir.file(relative));
        std::filesystem::last_write_time(path, std::filesystem::last_write_time(path) - std::chrono::hours(hoursOld));
        return relative;
    };
    const std::string crashed = temporary("Cell00000007.tem", 30);
    const std::string crashedEmployees = temporary("Pe00001200000007.tem", 30);
    const std::string inUse = temporary("Gr00003400000008.tem", 30);
    const std::string fresh = temporary("Cell00000009.tem", 1);
    const std::string notOurs = temporary("Notatki.tem", 30);
    const std::string wholeFile = temporary("Users.dat.new", 30);
    // Another workstation rewrites the appraisals of employee 34 at this moment.
    SharedFile rewriting = store.files.openWithRetry("Gr000034.dat", OpenKind::TextAppendOrCreate);

    EXPECT_EQ(store.files.removeStaleTemporaryFiles(), 2);
    EXPECT_FALSE(store.dir.exists(crashed));
    EXPECT_FALSE(store.dir.exists(crashedEmployees));
    for (const std::string& kept : {inUse, fresh, notOurs, wholeFile})
        EXPECT_TRUE(store.dir.exists(kept)) << kept;
}

namespace {

// Records the paths whose folder entries the file layer makes durable while it lives.
class FolderSyncs
{
public:
    FolderSyncs()
    {
        platform::setFolderSyncObserver([this](const std::string& path) { synced.push_back(path); });
    }
    ~FolderSyncs() { platform::setFolderSyncObserver({}); }
    FolderSyncs(const FolderSyncs&) = delete;
    FolderSyncs& operator=(const FolderSyncs&) = delete;

    // Where that path came in the syncs, or -1.
    int position(const std::string& path) const
    {
        const auto found = std::find(synced.begin(), synced.end(), path);
        return found == synced.end() ? -1 : static_cast<int>(found - synced.begin());
    }
    std::vector<std::string> synced;
};

} // namespace

// A crash (a power cut) right after a new data file was made must not take the file's name with
// it: the file is followed by a sync of its folder. A new lock file needs none (after a power cut
// nobody holds a lock, and the next open makes a missing one again), nor does a file that was
// there already.
TEST(SharedFiles, ANewDataFileIsFollowedByASyncOfItsFolder)
{
    TestStore store;
    store.dir.write("Cell.dat", "");
    store.files.readIfExists("Cell.dat"); // the folder Locks is there from now on
    FolderSyncs syncs;
    store.files.createEmptyOnce("Pe000001.dat");
    EXPECT_EQ(syncs.synced, std::vector<std::string>{store.dir.file("Pe000001.dat")});

    syncs.synced.clear();
    store.files.openWithRetry("Pe000001.dat", OpenKind::TextAppend).close();
    store.files.readIfExists("Pe000001.dat");
    store.files.createEmptyOnce("Pe000001.dat");
    EXPECT_TRUE(syncs.synced.empty()) << syncs.synced.front();

    // A record added to a file that is not there yet: the file and the counter it draws from,
    // each with its lock file.
    store.records.add("Gr000007.dat", RecordKind::Appraisal, {{"GRADEA=", "x"}});
    for (const std::string name : {"Gr000007.dat", "Grade.cou"})
        EXPECT_GE(syncs.position(store.dir.file(name)), 0) << name;
    // A rewrite puts a new file in the old one's place: its name is made durable too.
    syncs.synced.clear();
    store.records.rewrite("Gr000007.dat", "000001", softDelete(RecordKind::Appraisal));
    EXPECT_GE(syncs.position(store.dir.file("Gr000007.dat")), 0);
#ifndef _WIN32
    // So is a folder the layer makes, here the folder of the temporary files.
    EXPECT_GE(syncs.position(store.dir.file("Temp")), 0);
#endif
    // In a batch, new files of one folder wait for one sync of it.
    syncs.synced.clear();
    {
        SharedFileAccess::FolderSyncBatch batch(store.files);
        store.files.openWithRetry("Pe000002.dat", OpenKind::TextAppendToNew).append("{\r\n");
        store.files.openWithRetry("Pe000003.dat", OpenKind::TextAppendOrCreate).close();
        EXPECT_TRUE(syncs.synced.empty());
        batch.syncNow();
        EXPECT_EQ(syncs.synced.size(), 1u);
        store.files.createEmptyOnce("Pe000004.dat");
    }
    EXPECT_EQ(syncs.synced.size(), 2u) << "the end of a batch syncs what is left";
}

TEST(SharedFiles, CreateEmptyOnceKeepsAFileThatAppearedMeanwhile)
{
    TestStore store;
    store.files.createEmptyOnce("Pe000001.dat");
    EXPECT_TRUE(store.dir.exists("Pe000001.dat"));
    EXPECT_EQ(store.dir.read("Pe000001.dat"), "");
    store.dir.write("Pe000001.dat", "{\r\n");
    store.files.createEmptyOnce("Pe000001.dat");
    EXPECT_EQ(store.dir.read("Pe000001.dat"), "{\r\n");
    // A single attempt: a file held by someone else is an error, not a wait.
    SharedFile held = store.files.openWithRetry("Pe000001.dat", OpenKind::TextRead);
    EXPECT_THROW(store.files.createEmptyOnce("Pe000001.dat"), IoError);
    EXPECT_EQ(store.notifier.waits, 0);
}

TEST(SharedFiles, WholeFileWritesReplaceAtomically)
{
    TestStore store;
    store.dir.write("Users.dat", "old\r\n");
    store.files.writeWholeFile("Users.dat", "new\r\n");
    EXPECT_EQ(store.dir.read("Users.dat"), "new\r\n");
    FailingFiles faults(relativeName({"Temp", "Users.dat.new"}), 0);
    store.files.setFaultInjector(&faults);
    EXPECT_THROW(store.files.writeWholeFile("Users.dat", "broken\r\n"), IoError);
    EXPECT_EQ(store.dir.read("Users.dat"), "new\r\n") << "a failed write never touches the file";
    store.files.setFaultInjector(nullptr);
    store.files.writeWholeFile("Admin.dat", "first\r\n");
    EXPECT_EQ(store.dir.read("Admin.dat"), "first\r\n");
}

#ifndef _WIN32
// Once the working copy is written, the file is put away and a folder stands in its place, so the
// copy cannot take it: the copy goes, and nothing is left in Temp.
class FolderInstead : public FaultInjector
{
public:
    explicit FolderInstead(const TemporaryDataDirectory& dir) : m_dir(dir) {}
    platform::ErrorCode beforeWrite(const std::string&) override
    {
        std::filesystem::rename(m_dir.file("Users.dat"), m_dir.file("Users.old"));
        m_dir.write(relativeName({"Users.dat", "in-the-way"}), "x");
        return 0;
    }
    platform::ErrorCode beforeRead(const std::string&) override { return 0; }

private:
    const TemporaryDataDirectory& m_dir;
};

TEST(SharedFiles, AWholeFileWriteThatCannotReplaceLeavesNoWorkingCopy)
{
    TestStore store;
    store.dir.write("Users.dat", "old\r\n");
    FolderInstead faults(store.dir);
    store.files.setFaultInjector(&faults);
    EXPECT_THROW(store.files.writeWholeFile("Users.dat", "new\r\n"), IoError);
    store.files.setFaultInjector(nullptr);
    EXPECT_FALSE(store.dir.exists(relativeName({"Temp", "Users.dat.new"})));
    EXPECT_EQ(store.dir.read("Users.old"), "old\r\n");
}
#endif

TEST(SharedFiles, CopyFileInBlocks)
{
    TestStore store;
    const auto& dir = store.dir;
    dir.write("empty.wzo", "");
    EXPECT_EQ(SharedFileAccess::copyFile(dir.file("empty.wzo"), dir.file("copy0.rtf")), 0);
    EXPECT_TRUE(dir.exists("copy0.rtf"));
    EXPECT_EQ(dir.read("copy0.rtf"), "");

    std::string big;
    for (int i = 0; i < 40000; ++i)
        big += static_cast<char>(i * 7 % 256);
    dir.write("big.wzo", big);
    EXPECT_EQ(SharedFileAccess::copyFile(dir.file("big.wzo"), dir.file("copy1.rtf")), 0);
    EXPECT_EQ(dir.read("copy1.rtf"), big);

    EXPECT_EQ(SharedFileAccess::copyFile(dir.file("missing.wzo"), dir.file("copy2.rtf")), -1);
    EXPECT_FALSE(dir.exists("copy2.rtf"));
    EXPECT_EQ(SharedFileAccess::copyFile(dir.file("big.wzo"), dir.file("no-such-folder/copy3.rtf")), -1);
}
