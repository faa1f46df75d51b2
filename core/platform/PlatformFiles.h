// The thin layer over the operating system's files: opens with Windows share modes, byte-range
// locks on companion lock files, atomic replacement, and a few path helpers. One header, one
// implementation per platform (PlatformFilesPosix.cpp, PlatformFilesWindows.cpp). Paths are UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace taviro::platform {

// errno on POSIX, GetLastError() on Windows; 0 means success.
using ErrorCode = int;

#ifdef _WIN32
inline constexpr char kSeparator = '\\';
#else
inline constexpr char kSeparator = '/';
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
    // The size as the open found it while nothing has been written through this handle since
    // (the file is under a lock, so nobody else changes it); otherwise asked of the system.
    ErrorCode size(std::uint64_t& bytes) const;
    ErrorCode stamp(FileStamp& stamp) const;
    // Reads up to count bytes; got < count only at the end of the file.
    ErrorCode readAt(std::uint64_t offset, char* buffer, std::size_t count, std::size_t& got) const;
    // Writes all count bytes or fails.
    ErrorCode writeAt(std::uint64_t offset, const char* data, std::size_t count);
    // Forces what was written to the disk.
    ErrorCode flush();
    ErrorCode close();

private:
    static constexpr std::intptr_t kInvalid = -1;
    static constexpr std::uint64_t kUnknownSize = ~std::uint64_t{0};
    std::intptr_t m_handle = kInvalid;
    std::uint64_t m_sizeAtOpen = kUnknownSize;
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

    // A single attempt; a lock held elsewhere in a conflicting mode gives an error code.
    static RangeLock tryAcquire(const std::string& lockFilePath, bool exclusive, ErrorCode& error);
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
// Replaces target by source in one atomic step and makes the change durable.
ErrorCode replaceFile(const std::string& source, const std::string& target);
ErrorCode removeFile(const std::string& path);
// Creates the folder and any missing parents; an existing folder is success.
ErrorCode createDirectories(const std::string& path);
std::string executablePath();
// The program's arguments (without the program name) in UTF-8. On Windows argv is in the ANSI
// code page, so they are taken from the wide command line instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);
std::string absolutePath(const std::string& path);
std::string errorText(ErrorCode error);
void sleepMilliseconds(int milliseconds);

} // namespace taviro::platform
