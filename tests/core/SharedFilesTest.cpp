// Shared-file access: who may open a file while somebody else has it, the retry protocol with
// its single warning, whole-file replacement and the block copy.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>

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

TEST(SharedFiles, AWriteErrorThrowsAndLeavesNothingOpen)
{
    TestStore store;
    store.dir.write("Cell.dat", "old\r\n");
    FailingFiles faults("Cell.dat", 0);
    store.files.setFaultInjector(&faults);
    try {
        SharedFile file = store.files.openWithRetry("Cell.dat", OpenKind::TextAppend);
        file.append("new\r\n");
        FAIL() << "the append should have failed";
    } catch (const IoError& error) {
        EXPECT_EQ(error.relativeName(), "Cell.dat");
    }
    store.files.setFaultInjector(nullptr);
    EXPECT_TRUE(opensNow(store.files, "Cell.dat", OpenKind::BinaryCreate)) << "the lock was released";
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
