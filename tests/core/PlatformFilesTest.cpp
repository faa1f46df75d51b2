// The operating-system layer under the shared files: Polish letters in paths, reads at and past
// the end, share modes of the opens (Windows), byte-range locks and the path helpers.
#include "platform/PlatformFiles.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

using namespace taviro;
using namespace taviro::test;
using namespace taviro::platform;

namespace {

File openFile(const std::string& path, Access access, Creation creation, Sharing sharing, ErrorCode& error)
{
    return File::open(path, access, creation, sharing, error);
}

std::string readWhole(const std::string& path)
{
    ErrorCode error = 0;
    File file = File::open(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error);
    if (!file.isOpen())
        return "<" + errorText(error) + ">";
    std::string content(64, '\0');
    std::size_t got = 0;
    file.readAt(0, content.data(), content.size(), got);
    content.resize(got);
    return content;
}

} // namespace

TEST(PlatformFiles, PolishLettersInPathsNameOneAndTheSameFile)
{
    TemporaryDataDirectory dir;
    const std::string folder = dir.file("Oceny pracowników");
    ASSERT_EQ(createDirectories(folder + kSeparator + "Kopie żółte"), 0);
    EXPECT_EQ(createDirectories(folder), 0) << "an existing folder is success";
    const std::string path = folder + kSeparator + "Zażółć gęślą.dat";

    ErrorCode error = 0;
    File file = openFile(path, Access::ReadWrite, Creation::CreateAlways, Sharing::Nobody, error);
    ASSERT_TRUE(file.isOpen()) << errorText(error);
    ASSERT_EQ(file.writeAt(0, "stare", 5), 0);
    ASSERT_EQ(file.flush(), 0);
    ASSERT_EQ(file.close(), 0);
    EXPECT_TRUE(fileExists(path));
    EXPECT_FALSE(fileExists(folder)) << "a folder is not a file";

    // The name on the disk is the Unicode name, not its bytes read in some ANSI code page.
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(dir.directory().path()))) {
        const std::u8string name = entry.path().filename().u8string();
        names.emplace_back(name.begin(), name.end());
    }
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], "Oceny pracowników");

    const std::string replacement = folder + kSeparator + "Kopie żółte" + kSeparator + "nowy.tem";
    File fresh = openFile(replacement, Access::Write, Creation::CreateAlways, Sharing::Nobody, error);
    ASSERT_TRUE(fresh.isOpen()) << errorText(error);
    ASSERT_EQ(fresh.writeAt(0, "nowe", 4), 0);
    ASSERT_EQ(fresh.close(), 0);
    ASSERT_EQ(replaceFile(replacement, path), 0);
    EXPECT_EQ(readWhole(path), "nowe");
    EXPECT_FALSE(fileExists(replacement));

    EXPECT_EQ(removeFile(path), 0);
    EXPECT_FALSE(fileExists(path));
    EXPECT_NE(removeFile(path), 0) << "removing a missing file is reported";
}

TEST(PlatformFiles, OpensFailOrCreateByTheirCreationMode)
{
    TemporaryDataDirectory dir;
    const std::string path = dir.file("Cell.cou");
    ErrorCode error = 0;
    EXPECT_FALSE(openFile(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error).isOpen());
    EXPECT_NE(error, 0);
    EXPECT_FALSE(errorText(error).empty());
    EXPECT_NE(errorText(error).back(), '\n') << "the system's text comes without its line end";
#ifndef _WIN32
    // It stands inside Polish messages: no English text of the system for what a data folder meets.
    EXPECT_EQ(errorText(error), "nie ma takiego pliku ani katalogu");
    EXPECT_EQ(errorText(ENOSPC), "brak miejsca na dysku");
    EXPECT_EQ(errorText(EXDEV).rfind("błąd systemu nr " + std::to_string(EXDEV) + " (", 0), 0u) << errorText(EXDEV);
#endif
    EXPECT_FALSE(fileExists(path));

    dir.write("Cell.cou", "abcd");
    {
        File kept = openFile(path, Access::ReadWrite, Creation::OpenOrCreate, Sharing::Nobody, error);
        ASSERT_TRUE(kept.isOpen()) << errorText(error);
        std::uint64_t size = 0;
        EXPECT_EQ(kept.size(size), 0);
        EXPECT_EQ(size, 4u) << "open-or-create never truncates";
    }
    {
        File truncated = openFile(path, Access::Write, Creation::CreateAlways, Sharing::Readers, error);
        ASSERT_TRUE(truncated.isOpen()) << errorText(error);
    }
    EXPECT_EQ(dir.read("Cell.cou"), "");

    ASSERT_EQ(createDirectories(dir.file("Temp")), 0);
    EXPECT_FALSE(openFile(dir.file("Temp"), Access::Read, Creation::OpenExisting, Sharing::Readers, error).isOpen())
        << "a folder does not open as a data file";
    EXPECT_NE(createDirectories(dir.file("Cell.cou") + kSeparator + "Temp"), 0) << "a file is in the way";
}

TEST(PlatformFiles, ReadsAtAndPastTheEndStopShortWithoutAnError)
{
    TemporaryDataDirectory dir;
    dir.write("Pe000001.dat", "abcdef");
    ErrorCode error = 0;
    File file = openFile(dir.file("Pe000001.dat"), Access::Read, Creation::OpenExisting, Sharing::Readers, error);
    ASSERT_TRUE(file.isOpen()) << errorText(error);
    char buffer[16] = {};
    std::size_t got = 99;
    EXPECT_EQ(file.readAt(4, buffer, sizeof buffer, got), 0);
    EXPECT_EQ(std::string(buffer, got), "ef");
    EXPECT_EQ(file.readAt(6, buffer, sizeof buffer, got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(file.readAt(1000, buffer, sizeof buffer, got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_NE(file.writeAt(0, "x", 1), 0) << "a file opened for reading refuses writes";
}

TEST(PlatformFiles, ShareModesKeepWritersFromReadersAndRenamesFromOpenFiles)
{
#ifndef _WIN32
    GTEST_SKIP() << "POSIX has no share modes; the companion locks alone exclude (SharedFiles tests)";
#else
    TemporaryDataDirectory dir;
    dir.write("Cell.dat", "stare");
    dir.write("Cell.tem", "nowe");
    const std::string path = dir.file("Cell.dat");
    ErrorCode error = 0;
    {
        File first = openFile(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error);
        File second = openFile(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error);
        ASSERT_TRUE(first.isOpen());
        EXPECT_TRUE(second.isOpen()) << "readers share";
        EXPECT_FALSE(openFile(path, Access::ReadWrite, Creation::OpenExisting, Sharing::Readers, error).isOpen());
        EXPECT_NE(error, 0);
        EXPECT_FALSE(openFile(path, Access::Write, Creation::CreateAlways, Sharing::Readers, error).isOpen());
        // Nobody renames over or deletes a file that somebody reads.
        EXPECT_NE(replaceFile(dir.file("Cell.tem"), path), 0);
        EXPECT_NE(removeFile(path), 0);
    }
    EXPECT_EQ(dir.read("Cell.dat"), "stare");
    {
        File alone = openFile(path, Access::ReadWrite, Creation::OpenExisting, Sharing::Nobody, error);
        ASSERT_TRUE(alone.isOpen());
        EXPECT_FALSE(openFile(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error).isOpen());
    }
    {
        File writer = openFile(path, Access::ReadWrite, Creation::OpenExisting, Sharing::Readers, error);
        ASSERT_TRUE(writer.isOpen());
        // The writer would let a reader read, but the reader's own share mode refuses the writer
        // that is already there: readers and a writer exclude each other both ways.
        EXPECT_FALSE(openFile(path, Access::Read, Creation::OpenExisting, Sharing::Readers, error).isOpen());
        EXPECT_FALSE(openFile(path, Access::ReadWrite, Creation::OpenExisting, Sharing::Readers, error).isOpen());
    }
    EXPECT_EQ(replaceFile(dir.file("Cell.tem"), path), 0) << "closed, the file can be replaced";
    EXPECT_EQ(dir.read("Cell.dat"), "nowe");
#endif
}

TEST(PlatformFiles, RangeLocksAdmitManyReadersOrOneWriterEvenWithinOneProcess)
{
    TemporaryDataDirectory dir;
    const std::string lockFile = dir.file("Cell.dat");
    ErrorCode error = 0;
    RangeLock reader = RangeLock::tryAcquire(lockFile, false, error);
    ASSERT_TRUE(reader.isHeld()) << errorText(error);
    RangeLock secondReader = RangeLock::tryAcquire(lockFile, false, error);
    EXPECT_TRUE(secondReader.isHeld()) << errorText(error);
    RangeLock writer = RangeLock::tryAcquire(lockFile, true, error);
    EXPECT_FALSE(writer.isHeld());
    EXPECT_NE(error, 0) << "a refusal is an error code for the retry loop";

    reader.release();
    EXPECT_FALSE(RangeLock::tryAcquire(lockFile, true, error).isHeld()) << "one reader is still there";
    secondReader.release();
    writer = RangeLock::tryAcquire(lockFile, true, error);
    ASSERT_TRUE(writer.isHeld()) << errorText(error);
    EXPECT_FALSE(RangeLock::tryAcquire(lockFile, false, error).isHeld());
    EXPECT_FALSE(RangeLock::tryAcquire(lockFile, true, error).isHeld());
    EXPECT_TRUE(RangeLock::tryAcquire(dir.file("Pe000001.dat"), true, error).isHeld()) << "locks are per file";

    RangeLock moved = std::move(writer);
    EXPECT_FALSE(RangeLock::tryAcquire(lockFile, false, error).isHeld()) << "a moved lock is still held";
    moved.release();
    EXPECT_TRUE(RangeLock::tryAcquire(lockFile, false, error).isHeld());
    EXPECT_TRUE(fileExists(lockFile)) << "the lock file stays";
}

TEST(PlatformFiles, AbsolutePathsAndTheExecutable)
{
    const std::string absolute = absolutePath("dane/../oceny");
    EXPECT_EQ(absolute, absolutePath("oceny"));
    EXPECT_EQ(absolute.substr(absolute.size() - 6), std::string(1, kSeparator) + "oceny");
    EXPECT_TRUE(std::filesystem::path(absolute).is_absolute());
    const std::string executable = executablePath();
    EXPECT_TRUE(fileExists(executable)) << executable;
    EXPECT_TRUE(std::filesystem::path(executable).is_absolute()) << executable;
}

TEST(PlatformFiles, WhatIsMadeInAGroupFolderTheWholeGroupCanWrite)
{
#ifdef _WIN32
    GTEST_SKIP() << "a new file on Windows takes the access list of its folder";
#else
    const mode_t ownMask = ::umask(022); // a user who keeps what they make to themselves
    const auto groupWrites = [](const TestStore& store, const std::string& name) {
        struct stat info
        {};
        return ::stat(store.dir.file(name).c_str(), &info) == 0 && (info.st_mode & S_IWGRP) != 0;
    };
    const auto work = [](TestStore& store) {
        UnitRegister units(store.records);
        units.remove(units.add(Unit{{}, "Gmina", "", "Kadry", "", "", ""})); // an append, a rewrite through Temp
    };
    TestStore shared;
    std::filesystem::permissions(shared.dir.directory().path(), std::filesystem::perms::group_all,
                                 std::filesystem::perm_options::add);
    work(shared);
    for (const std::string name : {"Cell.dat", "Cell.cou", "Locks", "Locks/Cell.dat", "Locks/Cell.cou", "Temp"})
        EXPECT_TRUE(groupWrites(shared, name)) << name;
    TestStore own; // a folder only its owner may write to
    work(own);
    for (const std::string name : {"Cell.dat", "Locks/Cell.dat"})
        EXPECT_FALSE(groupWrites(own, name)) << name;
    ::umask(ownMask);
#endif
}
