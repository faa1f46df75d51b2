// Shared-file access: every open of a data file that other workstations may use at the same
// moment. A shared open takes a shared byte-range lock on the file's companion in "Locks",
// every other kind an exclusive one; the data file is opened only once the lock is granted and
// closed before it is released. A refused lock or a failed open is retried every 10 ms without
// an upper bound, with one warning at the 1000th consecutive failure.
//
// Two exceptions to the waiting. An error that waiting does not mend (no permission, a read-only
// file system, a folder where the file should be) ends the operation with an IoError once it has
// stood for 100 attempts in a row, so that the admin tool can stop with a message and the program
// ends the operation with its general error message instead of waiting for ever. And a shared open
// whose lock file is missing and cannot be made (a folder the user may only read) reads without
// it: the writers replace files by renaming and append in one write, which a reader without the
// lock sees whole or not at all. On POSIX a writer locks the open data file as well (see
// platform::File::tryLockContent), so that a lock file removed by hand never lets two writers in.
#pragma once

#include "DataDirectory.h"
#include "IoError.h"
#include "WaitNotifier.h"
#include "platform/PlatformFiles.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace taviro {

// The five kinds of open; the binary open comes as read-only and read-write.
enum class OpenKind
{
    TextRead,           // shared; the file must exist
    TextAppend,         // exclusive; the file must exist; writes go to its end
    TextAppendOrCreate, // exclusive; created when missing, never truncated; writes go to its end
    TextAppendToNew,    // as TextAppendOrCreate, for a file expected to be missing (made at the first try)
    TextRewrite,        // exclusive; created or truncated
    // Exclusive; the file must exist. It is read, but opened for writing too: the lock on the
    // open file (POSIX) can only be exclusive on a file open for writing.
    BinaryRead,
    BinaryReadWrite, // exclusive; the file must exist
    BinaryCreate,    // exclusive; created or truncated
    // Exclusive; created when missing but never truncated, so that two workstations finding a
    // counter missing at the same moment cannot both start it afresh.
    BinaryOpenOrCreate,
};

// Test hook: lets a test make reads or writes of chosen files fail. Reads of a unit's tree may
// come from a helper thread, at the same time as those of the thread that owns the access.
class FaultInjector
{
public:
    virtual ~FaultInjector() = default;
    // A non-zero result makes the operation fail with that system error code.
    virtual platform::ErrorCode beforeWrite(const std::string& relativeName) = 0;
    virtual platform::ErrorCode beforeRead(const std::string& relativeName) = 0;
    // When beforeWrite fails a write: how many of its bytes reach the file before the failure, as
    // when a disk fills up half-way.
    virtual std::size_t bytesWrittenBeforeFailure(const std::string&) { return 0; }
};

// An open data file together with the lock that covers it. Closing (or destruction) closes the
// file first and releases the lock after it. Every failure throws IoError naming the file.
class SharedFile
{
public:
    SharedFile() = default;
    SharedFile(SharedFile&&) noexcept = default;
    SharedFile& operator=(SharedFile&& other) noexcept;
    ~SharedFile();

    const std::string& relativeName() const { return m_relativeName; }
    const std::string& fullPath() const { return m_fullPath; }

    std::uint64_t size() const;
    // Size, time of the last change and identity of the open file (see platform::FileStamp).
    platform::FileStamp stamp() const;
    std::string readAll() const;
    // The whole file read into a buffer that one operation keeps for the files it reads one after
    // another, so that it is not made anew for every file: it only ever grows. The view is valid
    // until the buffer is used again.
    std::string_view readWholeInto(std::string& buffer) const;
    std::size_t readAt(std::uint64_t offset, char* buffer, std::size_t count) const;
    void writeAt(std::uint64_t offset, std::string_view bytes);
    // Appends at the end of the file and forces it to disk. Returns what was written: the bytes,
    // after a line end when a crash had left the file without one. A failed append puts the file
    // back to the size it had before.
    std::string append(std::string_view bytes);
    void flush();
    // Closes the file and releases its lock; errors of the close are reported.
    void close();

    // Replaces this file by the complete file at sourcePath in one atomic step and closes it.
    // Only for an exclusive open: nobody else can open the file while it is swapped.
    void replaceWith(const std::string& sourcePath);

private:
    friend class SharedFileAccess;
    [[noreturn]] void fail(platform::ErrorCode error) const;

    platform::RangeLock m_lock;
    platform::File m_file;
    std::string m_relativeName;
    std::string m_fullPath;
    FaultInjector* m_faults = nullptr;
};

class SharedFileAccess
{
public:
    SharedFileAccess(DataDirectory directory, WaitNotifier& notifier);

    const DataDirectory& directory() const { return m_directory; }
    std::string fullPath(std::string_view relativeName) const { return m_directory.file(relativeName); }
    bool exists(std::string_view relativeName) const;

    // Waits until the open succeeds (the retry protocol); never returns a closed file.
    SharedFile openWithRetry(std::string_view relativeName, OpenKind kind);
    // The same for a file that may be missing: nothing, without waiting, when the file does not
    // exist once its lock is held (there is no separate look for it beforehand).
    std::optional<SharedFile> openIfExists(std::string_view relativeName, OpenKind kind);
    // One attempt at openIfExists for reading that never waits and never shows anything, and that
    // another thread may make while this one goes on with its own calls (a helper of the thread
    // that owns the access). Not now means any failure: the file is left to the owner's thread
    // and the retry protocol.
    enum class ReadAttempt
    {
        Opened,
        Missing,
        NotNow,
    };
    ReadAttempt tryOpenToRead(std::string_view relativeName, SharedFile& file);
    // The whole content of a file read under a shared lock; nothing when the file is missing.
    std::optional<std::string> readIfExists(std::string_view relativeName);
    // The same into a buffer (see SharedFile::readWholeInto).
    std::optional<std::string_view> readIfExists(std::string_view relativeName, std::string& buffer);
    // A single attempt; a failure throws IoError.
    SharedFile openOnce(std::string_view relativeName, OpenKind kind);
    // Creates the file empty if it does not exist yet, without truncating one that another
    // workstation created a moment ago; a single attempt.
    void createEmptyOnce(std::string_view relativeName);

    // Two different files held exclusively at once (moving a record from one to the other). The
    // locks are taken in a fixed order, by relative name, each with the retry protocol while the
    // one before it stays held; since every operation that holds two data files takes them in
    // this order, two workstations never wait on each other forever. The results come back in
    // the order of the arguments and hold only the locks: openLocked opens the files.
    std::pair<SharedFile, SharedFile> lockBothWithRetry(std::string_view first, std::string_view second);
    // Opens the data file of a SharedFile that holds its exclusive lock and no file yet; retried
    // like any open. OpenKind::BinaryOpenOrCreate creates a missing file.
    void openLocked(SharedFile& file, OpenKind kind);

    // Replaces the whole content of a file in one atomic step (account files): the new content
    // goes to a file in "Temp" first, so a crash never leaves the old file empty.
    void writeWholeFile(std::string_view relativeName, std::string_view bytes);

    // Removes the temporary files of rewrites ("Temp/*.tem") that a crash left behind, once they
    // are older than the given age, and only while the lock of their data file can be had at
    // once: nobody is writing them then. Errors are ignored. Returns how many were removed.
    int removeStaleTemporaryFiles(std::int64_t olderThanSeconds = 24 * 60 * 60);

    // A private working file in "Temp" (or anywhere no other workstation uses): no lock is
    // taken, a single attempt, created or truncated.
    platform::File createPrivateFile(std::string_view relativeName);
    void writePrivate(platform::File& file, std::string_view relativeName, std::string_view bytes);

    // Copies a file in 16384-byte blocks: 0 on success, −1 on any failure (a target created
    // before the failure may stay, possibly partial). Both are full paths.
    static int copyFile(const std::string& sourcePath, const std::string& targetPath);

    void setFaultInjector(FaultInjector* faults) { m_faults = faults; }
    WaitNotifier& notifier() { return m_notifier; }

    // While one lives, the folder entries of new data files are forced to disk together, by
    // syncNow and at its end, instead of one by one as they are made: an operation that makes
    // many files and tells the user what is done only now and then (the import) syncs each folder
    // once per telling. Until then a crash may lose a new file with what was written to it, which
    // the operation has not yet claimed. One at a time.
    class FolderSyncBatch
    {
    public:
        explicit FolderSyncBatch(SharedFileAccess& files);
        ~FolderSyncBatch();
        FolderSyncBatch(const FolderSyncBatch&) = delete;
        FolderSyncBatch& operator=(const FolderSyncBatch&) = delete;
        void syncNow();

    private:
        SharedFileAccess& m_files;
    };

private:
    template <typename Attempt> void retry(std::string_view relativeName, Attempt attempt);
    template <typename Attempt> SharedFile retryOpen(std::string_view relativeName, Attempt attempt);
    // With expectNew (the data file is about to be made) the lock file's making is tried first.
    bool tryLock(std::string_view relativeName, bool exclusive, SharedFile& file, platform::ErrorCode& error,
                 bool expectNew = false);
    // Opens the data file of a SharedFile that holds its lock, and locks the open file itself.
    bool tryOpenData(SharedFile& file, OpenKind kind, platform::ErrorCode& error);
    enum class OpenOutcome
    {
        Opened,
        LockRefused,
        OpenFailed, // the lock was granted (and stays held), the data file did not open; error says why
    };
    OpenOutcome tryOpen(std::string_view relativeName, OpenKind kind, SharedFile& file, platform::ErrorCode& error);
    SharedFile lockWithRetry(std::string_view relativeName);
    std::string lockPath(std::string_view relativeName) const;

    DataDirectory m_directory;
    WaitNotifier& m_notifier;
    FaultInjector* m_faults = nullptr;
    bool m_folderSyncsBatched = false; // a FolderSyncBatch lives
    // For each folder with new files whose entries await their sync, one of those files.
    std::map<std::string, std::string> m_foldersToSync;
    std::atomic<bool> m_lockFolderReady{false}; // atomic for tryOpenToRead on another thread
};

} // namespace taviro
