// Windows side of the file layer: CreateFileW with share modes, positioned ReadFile/WriteFile,
// LockFileEx on the companion lock files, MoveFileExW. Paths arrive in UTF-8 and go to the wide
// functions, so Polish letters in folder names work whatever the system's ANSI code page is.
#include "PlatformFiles.h"

#include <algorithm>
#include <filesystem>
#include <limits>
#include <system_error>

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <shellapi.h>

namespace taviro::platform {
namespace {

// The largest piece one ReadFile or WriteFile call is given.
constexpr std::size_t kMaxChunk = 1u << 30;

HANDLE toHandle(std::intptr_t handle)
{
    return reinterpret_cast<HANDLE>(handle);
}

std::intptr_t fromHandle(HANDLE handle)
{
    return reinterpret_cast<std::intptr_t>(handle);
}

// A name that is not valid UTF-8 is refused rather than mended: a mended name would be another file.
ErrorCode toWide(const std::string& utf8, std::wstring& wide)
{
    wide.clear();
    if (utf8.empty())
        return 0;
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        return ERROR_FILENAME_EXCED_RANGE;
    const int length = static_cast<int>(utf8.size());
    const int needed = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
    if (needed <= 0)
        return ERROR_NO_UNICODE_TRANSLATION;
    wide.resize(static_cast<std::size_t>(needed));
    if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, wide.data(), needed) != needed)
        return ERROR_NO_UNICODE_TRANSLATION;
    return 0;
}

std::string toUtf8(const std::wstring& wide)
{
    if (wide.empty())
        return {};
    const int length = static_cast<int>(wide.size());
    const int needed = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    if (needed <= 0)
        return {};
    std::string utf8(static_cast<std::size_t>(needed), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, utf8.data(), needed, nullptr, nullptr);
    return utf8;
}

OVERLAPPED at(std::uint64_t offset)
{
    OVERLAPPED position{};
    position.Offset = static_cast<DWORD>(offset & 0xFFFFFFFFu);
    position.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return position;
}

} // namespace

File File::open(const std::string& path, Access access, Creation creation, Sharing sharing, ErrorCode& error)
{
    File file;
    std::wstring widePath;
    if ((error = toWide(path, widePath)) != 0)
        return file;
    DWORD desired = 0;
    switch (access) {
    case Access::Read:
        desired = GENERIC_READ;
        break;
    case Access::Write:
        desired = GENERIC_WRITE;
        break;
    case Access::ReadWrite:
        desired = GENERIC_READ | GENERIC_WRITE;
        break;
    }
    DWORD disposition = OPEN_EXISTING;
    switch (creation) {
    case Creation::OpenExisting:
        disposition = OPEN_EXISTING;
        break;
    case Creation::CreateAlways:
        disposition = CREATE_ALWAYS;
        break;
    case Creation::OpenOrCreate:
    case Creation::CreateFirstOrOpen: // one call either way
        disposition = OPEN_ALWAYS;
        break;
    }
    // No FILE_SHARE_DELETE anywhere: nobody may rename or delete a data file somebody has open.
    const DWORD share = sharing == Sharing::Readers ? FILE_SHARE_READ : 0;
    // Without FILE_FLAG_BACKUP_SEMANTICS a folder cannot be opened, so a folder is an error here.
    // A new file inherits the access list of its folder, so the users of a shared folder can all
    // use it.
    const HANDLE handle =
        ::CreateFileW(widePath.c_str(), desired, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    const DWORD opened = ::GetLastError(); // ERROR_ALREADY_EXISTS when OPEN_ALWAYS or CREATE_ALWAYS found one
    if (handle == INVALID_HANDLE_VALUE) {
        error = static_cast<ErrorCode>(opened);
        return file;
    }
    error = 0;
    file.m_handle = fromHandle(handle);
    file.m_created = disposition != OPEN_EXISTING && opened != ERROR_ALREADY_EXISTS;
    file.m_seekable = ::GetFileType(handle) == FILE_TYPE_DISK;
    return file;
}

ErrorCode File::size(std::uint64_t& bytes) const
{
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(toHandle(m_handle), &size))
        return static_cast<ErrorCode>(::GetLastError());
    bytes = static_cast<std::uint64_t>(size.QuadPart);
    return 0;
}

ErrorCode File::stamp(FileStamp& stamp) const
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(toHandle(m_handle), &info))
        return static_cast<ErrorCode>(::GetLastError());
    stamp.size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    // 100-nanosecond ticks; the file index tells a file put in the old one's place from the old one.
    stamp.modified = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32) |
                                               info.ftLastWriteTime.dwLowDateTime);
    stamp.identity = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    stamp.volume = info.dwVolumeSerialNumber;
    return 0;
}

ErrorCode File::readAt(std::uint64_t offset, char* buffer, std::size_t count, std::size_t& got) const
{
    got = 0;
    while (got < count) {
        OVERLAPPED position = at(offset + got);
        const auto chunk = static_cast<DWORD>(std::min(count - got, kMaxChunk));
        DWORD n = 0;
        if (!::ReadFile(toHandle(m_handle), buffer + got, chunk, &n, &position)) {
            const DWORD error = ::GetLastError();
            if (error == ERROR_HANDLE_EOF)
                break; // a synchronous read past the end reports the end this way
            return static_cast<ErrorCode>(error);
        }
        if (n == 0)
            break;
        got += n;
    }
    return 0;
}

ErrorCode File::readNext(char* buffer, std::size_t count, std::size_t& got)
{
    got = 0;
    while (got < count) {
        const auto chunk = static_cast<DWORD>(std::min(count - got, kMaxChunk));
        DWORD n = 0;
        if (!::ReadFile(toHandle(m_handle), buffer + got, chunk, &n, nullptr)) {
            const DWORD error = ::GetLastError();
            // A pipe whose writer has gone reports its end this way.
            if (error == ERROR_BROKEN_PIPE || error == ERROR_HANDLE_EOF)
                break;
            return static_cast<ErrorCode>(error);
        }
        if (n == 0)
            break;
        got += n;
    }
    return 0;
}

ErrorCode File::truncate(std::uint64_t size)
{
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(size);
    if (!::SetFilePointerEx(toHandle(m_handle), position, nullptr, FILE_BEGIN) || !::SetEndOfFile(toHandle(m_handle)))
        return static_cast<ErrorCode>(::GetLastError());
    return 0;
}

ErrorCode File::tryLockContent(bool)
{
    // Lock files are opened without FILE_SHARE_DELETE, so nobody removes one while it is held, and
    // an open data file cannot be renamed or removed either: the lock file alone excludes.
    return 0;
}

bool File::isStillAt(const std::string&) const
{
    return true;
}

ErrorCode File::writeAt(std::uint64_t offset, const char* data, std::size_t count)
{
    std::size_t done = 0;
    while (done < count) {
        OVERLAPPED position = at(offset + done);
        const auto chunk = static_cast<DWORD>(std::min(count - done, kMaxChunk));
        DWORD n = 0;
        if (!::WriteFile(toHandle(m_handle), data + done, chunk, &n, &position))
            return static_cast<ErrorCode>(::GetLastError());
        if (n == 0)
            return ERROR_WRITE_FAULT;
        done += n;
    }
    return 0;
}

ErrorCode File::flush()
{
    if (!::FlushFileBuffers(toHandle(m_handle)))
        return static_cast<ErrorCode>(::GetLastError());
    return 0;
}

ErrorCode File::close()
{
    if (m_handle == kInvalid)
        return 0;
    const HANDLE handle = toHandle(m_handle);
    m_handle = kInvalid;
    m_created = false;
    return ::CloseHandle(handle) ? 0 : static_cast<ErrorCode>(::GetLastError());
}

RangeLock RangeLock::tryAcquire(const std::string& lockFilePath, bool exclusive, ErrorCode& error, bool)
{
    RangeLock lock;
    std::wstring widePath;
    if ((error = toWide(lockFilePath, widePath)) != 0)
        return lock;
    // The lock file itself is open to every reader and writer; only the byte-range lock on it
    // excludes. Locks belong to the handle, so two handles of one process exclude each other like
    // two processes. Without FILE_SHARE_DELETE nobody can remove or replace a lock file while
    // somebody has it open, so the file at the path is always the one locked. A shared lock opens
    // it for reading only (a read-only share allows that); it is made, with write access, only
    // when it is missing.
    constexpr DWORD kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    HANDLE handle = INVALID_HANDLE_VALUE;
    if (!exclusive) {
        handle = ::CreateFileW(widePath.c_str(), GENERIC_READ, kShare, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                               nullptr);
        error = static_cast<ErrorCode>(::GetLastError());
        if (handle == INVALID_HANDLE_VALUE && error != ERROR_FILE_NOT_FOUND)
            return lock;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        handle = ::CreateFileW(widePath.c_str(), GENERIC_READ | GENERIC_WRITE, kShare, nullptr, OPEN_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle == INVALID_HANDLE_VALUE) {
            error = static_cast<ErrorCode>(::GetLastError());
            return lock;
        }
    }
    OVERLAPPED range{}; // byte 0, length 1
    const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (exclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
    if (!::LockFileEx(handle, flags, 0, 1, 0, &range)) {
        // ERROR_LOCK_VIOLATION when somebody holds it; any refusal is a failed attempt.
        error = static_cast<ErrorCode>(::GetLastError());
        if (error == 0)
            error = ERROR_LOCK_VIOLATION;
        ::CloseHandle(handle);
        return lock;
    }
    error = 0;
    lock.m_handle = fromHandle(handle);
    lock.m_path = lockFilePath;
    return lock;
}

void RangeLock::release()
{
    if (m_handle == kInvalid)
        return;
    const HANDLE handle = toHandle(m_handle);
    m_handle = kInvalid;
    OVERLAPPED range{};
    // Closing the handle would release the lock too, but only "eventually"; unlocking first makes
    // the byte free before the next workstation's attempt.
    ::UnlockFileEx(handle, 0, 1, 0, &range);
    ::CloseHandle(handle);
    m_path.clear();
}

bool isNotFound(ErrorCode error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

ErrorCode lockRefused()
{
    return ERROR_LOCK_VIOLATION;
}

Permanence permanenceOf(ErrorCode error)
{
    switch (error) {
    // Also what opening a folder as a file gives; the retry protocol waits a while before it
    // believes it (a file being removed gives it for a moment too).
    case ERROR_ACCESS_DENIED:
    case ERROR_NETWORK_ACCESS_DENIED:
        return Permanence::NoPermission;
    case ERROR_WRITE_PROTECT:
        return Permanence::ReadOnly;
    case ERROR_DIRECTORY:
        return Permanence::FileInTheWay;
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_NO_UNICODE_TRANSLATION:
        return Permanence::BadName;
    default:
        return Permanence::Passing;
    }
}

void syncFolderOf(const std::string& filePath)
{
    // NTFS journals a new folder entry with the file; the file itself is flushed by its creator.
    detail::reportFolderSync(filePath);
}

bool fileExists(const std::string& path)
{
    std::wstring widePath;
    if (toWide(path, widePath) != 0)
        return false;
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

ErrorCode replaceFile(const std::string& source, const std::string& target)
{
    std::wstring wideSource;
    std::wstring wideTarget;
    if (const auto error = toWide(source, wideSource))
        return error;
    if (const auto error = toWide(target, wideTarget))
        return error;
    // Fails while anybody has the target open, which the locks rule out for data files; the
    // write-through flag returns only once the new name is on the disk.
    if (!::MoveFileExW(wideSource.c_str(), wideTarget.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return static_cast<ErrorCode>(::GetLastError());
    syncFolderOf(target);
    return 0;
}

ErrorCode removeFile(const std::string& path)
{
    std::wstring widePath;
    if (const auto error = toWide(path, widePath))
        return error;
    return ::DeleteFileW(widePath.c_str()) ? 0 : static_cast<ErrorCode>(::GetLastError());
}

ErrorCode createDirectories(const std::string& path)
{
    std::wstring widePath;
    if (const auto error = toWide(path, widePath))
        return error;
    const std::filesystem::path folder(widePath);
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        // The library reports Windows codes in the system category and C library codes in the
        // generic one; only the former are what errorText understands.
        return ec.category() == std::system_category() && ec.value() != 0 ? ec.value() : ERROR_CANNOT_MAKE;
    }
    return std::filesystem::is_directory(folder, ec) ? 0 : ERROR_DIRECTORY;
}

// A file inherits its folder's access list: nothing to tell or to mend.
bool lacksFolderSharing(const std::string&)
{
    return false;
}

ErrorCode shareLikeFolder(const std::string&)
{
    return 0;
}

bool secondsSinceChange(const std::string& path, std::int64_t& seconds)
{
    std::wstring widePath;
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (toWide(path, widePath) != 0 || !::GetFileAttributesExW(widePath.c_str(), GetFileExInfoStandard, &data))
        return false;
    FILETIME now{};
    ::GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& time) {
        return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    };
    seconds = (ticks(now) - ticks(data.ftLastWriteTime)) / 10000000; // 100-nanosecond ticks
    return true;
}

std::string executablePath()
{
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            buffer.resize(n);
            return toUtf8(buffer);
        }
        buffer.resize(buffer.size() * 2); // cut short: try again with more room
    }
}

std::vector<std::string> commandLineArguments(int, char**)
{
    std::vector<std::string> arguments;
    int count = 0;
    LPWSTR* wide = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!wide)
        return arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(toUtf8(wide[i]));
    ::LocalFree(wide);
    return arguments;
}

std::string absolutePath(const std::string& path)
{
    std::wstring widePath;
    if (toWide(path, widePath) != 0)
        return path;
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(widePath), ec);
    return ec ? path : toUtf8(absolute.lexically_normal().make_preferred().wstring());
}

std::string errorText(ErrorCode error)
{
    wchar_t* message = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(error), 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring text;
    if (length > 0 && message)
        text.assign(message, length);
    if (message)
        ::LocalFree(message);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' '))
        text.pop_back();
    if (text.empty())
        return "Błąd systemu nr " + std::to_string(error);
    return toUtf8(text);
}

void sleepMilliseconds(int milliseconds)
{
    ::Sleep(milliseconds > 0 ? static_cast<DWORD>(milliseconds) : 0);
}

} // namespace taviro::platform
