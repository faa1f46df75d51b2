// The thin layer over the operating system's files: opens with Windows share modes, byte-range
// locks on companion lock files, atomic replacement, and a few path helpers. One header, one
// implementation per platform (PlatformFilesPosix.cpp, PlatformFilesWindows.cpp). Paths are UTF-8.
//
// Files and folders the program creates can be used by every user of a shared group folder: on
// POSIX a new file or folder gets read and write for the group (and for others) whenever the folder
// it is made in grants them write access, whatever the creating user's umask. On Windows the
// folder's access list is inherited anyway.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace taviro::platform {

// errno on POSIX, GetLastError() on Windows; 0 means success.
using ErrorCode = int;

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
// Windows cannot rename over a file that is open, so a data file is closed before it is replaced.
inline constexpr bool kReplacesOpenFiles = false;
#else
inline constexpr char kSeparator = '/';
// POSIX renames over an open file; the data file then stays open (and locked) until it is replaced.
inline constexpr bool kReplacesOpenFiles = true;
#endif

enum class Access
{
    Read,
    Write,
    ReadWrite,
};

enum class Creation
{
    OpenExisting, // fails when the file is missing
    CreateAlways, // created, or truncated to empty
    OpenOrCreate, // created when missing, never truncated
    // As OpenOrCreate, for a file expected to be missing: the making is tried first, which spares
    // the failed open (on POSIX, where opening and making exclusively are two calls).
    CreateFirstOrOpen,
};

// What a second handle of the same file may do while this one is open. Windows enforces it as
// the share mode of the open; POSIX has no share modes and relies on the companion locks.
enum class Sharing
{
    Readers,
    Nobody,
};

// Tells one state of a file from another without reading it: its size, the time of its last
// change and which file it is (a rewrite puts a new file in the old one's place). Two equal
// stamps taken under a lock mean the content has not changed in between.
struct FileStamp
{
    std::uint64_t size = 0;
    std::int64_t modified = 0; // in the platform's own units
    std::uint64_t identity = 0;
    std::uint64_t volume = 0;
    bool operator==(const FileStamp&) const = default;
};

class File
{
public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    static File open(const std::string& path, Access access, Creation creation, Sharing sharing, ErrorCode& error);

    bool isOpen() const { return m_handle != kInvalid; }
    // Whether this open made the file (CreateAlways or OpenOrCreate found none).
    bool created() const { return m_created; }
    // A file on a disk that can be read at any offset, as opposed to a pipe or a terminal.
    bool isSeekable() const { return m_seekable; }
    // The size as the open found it while nothing has been written through this handle since
    // (the file is under a lock, so nobody else changes it); otherwise asked of the system.
    ErrorCode size(std::uint64_t& bytes) const;
    ErrorCode stamp(FileStamp& stamp) const;
    // Reads up to count bytes; got < count only at the end of the file.
    ErrorCode readAt(std::uint64_t offset, char* buffer, std::size_t count, std::size_t& got) const;
    // Reads on from where the last of these reads ended, for files that are not seekable (a pipe);
    // got < count only at the end of the input.
    ErrorCode readNext(char* buffer, std::size_t count, std::size_t& got);
    // Writes all count bytes or fails.
    ErrorCode writeAt(std::uint64_t offset, const char* data, std::size_t count);
    // Cuts the file back to that size.
    ErrorCode truncate(std::uint64_t size);
    // Forces what was written to the disk.
    ErrorCode flush();
    ErrorCode close();

    // A byte-range lock on the open file itself, at an offset far beyond any data, so that reads
    // and writes are never in its way (byte-range locks on a network share may be mandatory). It
    // goes with the close. POSIX only, and only writers take it: there a lock file removed while
    // somebody holds it would let a second writer in through a new lock file, but never past this
    // lock on the data file. On
    // Windows nobody can remove a lock file while it is open, so the call does nothing there.
    ErrorCode tryLockContent(bool exclusive);
    // Whether the path still names this open file (it may have been replaced or removed since it
    // was opened). Always true on Windows, where an open data file cannot be renamed or removed.
    bool isStillAt(const std::string& path) const;

private:
    static constexpr std::intptr_t kInvalid = -1;
    static constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};
    std::intptr_t m_handle = kInvalid;
    std::uint64_t m_sizeAtOpen = kUnknownSize;
    bool m_created = false;
    bool m_seekable = true;
    // Which file the handle is, as the open found it (POSIX: device and inode; they never change
    // for an open file), so that isStillAt asks only about the path.
    std::uint64_t m_device = 0;
    std::uint64_t m_inode = 0;
};

// A byte-range lock on a companion lock file: shared for readers, exclusive for writers. The
// lock file is created on first use and never renamed or deleted. Released on destruction.
class RangeLock
{
public:
    RangeLock() = default;
    ~RangeLock();
    RangeLock(RangeLock&& other) noexcept;
    RangeLock& operator=(RangeLock&& other) noexcept;
    RangeLock(const RangeLock&) = delete;
    RangeLock& operator=(const RangeLock&) = delete;

    // A single attempt; a lock held elsewhere in a conflicting mode gives an error code. A shared
    // lock opens its lock file for reading only, so that a folder the user may only read can be
    // read; the file is created only when it is missing. Its folder entry is not forced to disk:
    // after a power cut nobody holds a lock, and a lock file that is gone is made again. Three
    // calls in all (open, lock, close): on a network share each is a round trip. With expectNew
    // (the lock of a file about to be made) the lock file's making is tried first.
    static RangeLock tryAcquire(const std::string& lockFilePath, bool exclusive, ErrorCode& error,
                                bool expectNew = false);
    bool isHeld() const { return m_handle != kInvalid; }
    void release();

private:
    static constexpr std::intptr_t kInvalid = -1;
    std::intptr_t m_handle = kInvalid;
    std::string m_path;
};

bool fileExists(const std::string& path);
// Whether an open failed because the file (or its folder) does not exist.
bool isNotFound(ErrorCode error);
// The error of a lock that somebody else holds.
ErrorCode lockRefused();

// Errors that waiting does not mend: the retry protocol ends on them instead of waiting for ever.
enum class Permanence
{
    Passing,        // a lock held elsewhere, a network hiccup, a missing file: worth waiting for
    NoPermission,   // access denied
    ReadOnly,       // a read-only file system or medium
    FolderInTheWay, // a folder where a file should be
    FileInTheWay,   // a file where a folder should be
    BadName,        // a name the system does not accept
};
Permanence permanenceOf(ErrorCode error);

// Makes the folder entry of a newly created file (or folder) durable: an fsync of the folder it is
// in on POSIX; NTFS journals it with the file, so nothing is needed on Windows. The layer calls it
// itself for every lock file and folder it makes and for every file replaceFile puts in place.
void syncFolderOf(const std::string& filePath);
// Test hook: told the path of every file or folder whose folder entry syncFolderOf makes durable,
// on every platform (also where nothing needs doing). Empty for none; set it only while no other
// thread uses the layer.
using FolderSyncObserver = std::function<void(const std::string& path)>;
void setFolderSyncObserver(FolderSyncObserver observer);
namespace detail {
// For the two platform files: tells the observer, if there is one.
void reportFolderSync(const std::string& path);
} // namespace detail
// Replaces target by source in one atomic step and makes the change durable.
ErrorCode replaceFile(const std::string& source, const std::string& target);
ErrorCode removeFile(const std::string& path);
// Creates the folder and any missing parents; an existing folder is success.
ErrorCode createDirectories(const std::string& path);
// Whether the file lacks permissions its folder gives to other users (see the header comment): on
// POSIX the read and write bits for the group (or for others) while the folder is writable by its
// group (or by everybody), so that the others cannot lock, append to or replace it. Never on
// Windows, where the file inherits its folder's access list.
bool lacksFolderSharing(const std::string& path);
// Gives the file those missing permissions; 0 on success (and always on Windows).
ErrorCode shareLikeFolder(const std::string& path);
// Seconds since the file was last changed; false when it cannot be told.
bool secondsSinceChange(const std::string& path, std::int64_t& seconds);
std::string executablePath();
// The program's arguments (without the program name) in UTF-8. On Windows argv is in the ANSI
// code page, so they are taken from the wide command line instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);
std::string absolutePath(const std::string& path);
std::string errorText(ErrorCode error);
void sleepMilliseconds(int milliseconds);

} // namespace taviro::platform
