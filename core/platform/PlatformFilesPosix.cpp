// POSIX side of the file layer: open(2), pread/pwrite, fcntl byte-range locks, rename(2).
#include "PlatformFiles.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace taviro::platform {
namespace {

int toFd(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

// Retries a system call that a signal interrupted.
template <typename Call> auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

// Classic fcntl locks belong to the process and vanish when any of its descriptors of the file is
// closed, so where open-file-description locks are missing a process holds each lock file once.
#ifndef F_OFD_SETLK
std::mutex& heldLocksMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::set<std::string>& heldLocks()
{
    static std::set<std::string> held;
    return held;
}
#endif

} // namespace

File File::open(const std::string& path, Access access, Creation creation, Sharing, ErrorCode& error)
{
    int flags = O_CLOEXEC;
    switch (access) {
    case Access::Read:
        flags |= O_RDONLY;
        break;
    case Access::Write:
        flags |= O_WRONLY;
        break;
    case Access::ReadWrite:
        flags |= O_RDWR;
        break;
    }
    if (creation == Creation::CreateAlways)
        flags |= O_CREAT | O_TRUNC;
    else if (creation == Creation::OpenOrCreate)
        flags |= O_CREAT;
    File file;
    const int fd = retryOnInterrupt([&] { return ::open(path.c_str(), flags, 0666); });
    if (fd < 0) {
        error = errno;
        return file;
    }
    // One fstat serves both: a folder is no data file, and the size is known for the first read.
    struct stat info
    {};
    if (::fstat(fd, &info) != 0) {
        error = errno;
        ::close(fd);
        return file;
    }
    if (S_ISDIR(info.st_mode)) {
        ::close(fd);
        error = EISDIR;
        return file;
    }
    error = 0;
    file.m_handle = fd;
    file.m_sizeAtOpen = static_cast<std::uint64_t>(info.st_size);
    return file;
}

ErrorCode File::size(std::uint64_t& bytes) const
{
    if (m_sizeAtOpen != kUnknownSize) {
        bytes = m_sizeAtOpen;
        return 0;
    }
    struct stat info
    {};
    if (::fstat(toFd(m_handle), &info) != 0)
        return errno;
    bytes = static_cast<std::uint64_t>(info.st_size);
    return 0;
}

ErrorCode File::stamp(FileStamp& stamp) const
{
    struct stat info
    {};
    if (::fstat(toFd(m_handle), &info) != 0)
        return errno;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    stamp.identity = static_cast<std::uint64_t>(info.st_ino);
    stamp.volume = static_cast<std::uint64_t>(info.st_dev);
    return 0;
}

ErrorCode File::readAt(std::uint64_t offset, char* buffer, std::size_t count, std::size_t& got) const
{
    got = 0;
    while (got < count) {
        const ssize_t n = retryOnInterrupt(
            [&] { return ::pread(toFd(m_handle), buffer + got, count - got, static_cast<off_t>(offset + got)); });
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

ErrorCode File::writeAt(std::uint64_t offset, const char* data, std::size_t count)
{
    m_sizeAtOpen = kUnknownSize;
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = retryOnInterrupt(
            [&] { return ::pwrite(toFd(m_handle), data + done, count - done, static_cast<off_t>(offset + done)); });
        if (n < 0)
            return errno;
        if (n == 0)
            return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

ErrorCode File::flush()
{
    if (::fsync(toFd(m_handle)) != 0 && errno != EINVAL)
        return errno;
    return 0;
}

ErrorCode File::close()
{
    if (m_handle == kInvalid)
        return 0;
    const int fd = toFd(m_handle);
    m_handle = kInvalid;
    m_sizeAtOpen = kUnknownSize;
    // close(2) must not be repeated after EINTR on Linux: the descriptor is gone either way.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

RangeLock RangeLock::tryAcquire(const std::string& lockFilePath, bool exclusive, ErrorCode& error)
{
    RangeLock lock;
#ifndef F_OFD_SETLK
    {
        std::lock_guard guard(heldLocksMutex());
        if (!heldLocks().insert(lockFilePath).second) {
            error = EAGAIN;
            return lock;
        }
    }
#endif
    // A shared lock needs the file open for reading only, which costs the system less than a
    // writable open (nothing to count as a writer); an exclusive one needs it writable.
    const int access = exclusive ? O_RDWR : O_RDONLY;
    const int fd = retryOnInterrupt([&] { return ::open(lockFilePath.c_str(), access | O_CREAT | O_CLOEXEC, 0666); });
    if (fd < 0) {
        error = errno;
#ifndef F_OFD_SETLK
        std::lock_guard guard(heldLocksMutex());
        heldLocks().erase(lockFilePath);
#endif
        return lock;
    }
    struct flock range
    {};
    range.l_type = exclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = 0;
    range.l_len = 1;
#ifdef F_OFD_SETLK
    const int command = F_OFD_SETLK;
#else
    const int command = F_SETLK;
#endif
    if (retryOnInterrupt([&] { return ::fcntl(fd, command, &range); }) != 0) {
        error = errno;
        ::close(fd);
#ifndef F_OFD_SETLK
        std::lock_guard guard(heldLocksMutex());
        heldLocks().erase(lockFilePath);
#endif
        return lock;
    }
    error = 0;
    lock.m_handle = fd;
#ifndef F_OFD_SETLK
    lock.m_path = lockFilePath; // to take it out of the held ones on release
#endif
    return lock;
}

void RangeLock::release()
{
    if (m_handle == kInvalid)
        return;
    // Closing the descriptor releases the lock held through it.
    ::close(toFd(m_handle));
    m_handle = kInvalid;
#ifndef F_OFD_SETLK
    std::lock_guard guard(heldLocksMutex());
    heldLocks().erase(m_path);
#endif
    m_path.clear();
}

bool fileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool isNotFound(ErrorCode error)
{
    return error == ENOENT;
}

ErrorCode replaceFile(const std::string& source, const std::string& target)
{
    if (::rename(source.c_str(), target.c_str()) != 0)
        return errno;
    // The rename is atomic at once; syncing the folder makes it survive a power cut as well.
    const int dir = ::open(parentFolder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

ErrorCode removeFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

ErrorCode createDirectories(const std::string& path)
{
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path), ec);
    if (ec)
        return ec.value();
    return std::filesystem::is_directory(std::filesystem::path(path)) ? 0 : ENOTDIR;
}

std::string executablePath()
{
    std::string buffer(PATH_MAX, '\0');
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n <= 0)
        return {};
    buffer.resize(static_cast<std::size_t>(n));
    return buffer;
}

std::vector<std::string> commandLineArguments(int argc, char** argv)
{
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

std::string absolutePath(const std::string& path)
{
    std::error_code ec;
    const auto absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    return ec ? path : absolute.lexically_normal().string();
}

std::string errorText(ErrorCode error)
{
    return std::strerror(error);
}

void sleepMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace taviro::platform
