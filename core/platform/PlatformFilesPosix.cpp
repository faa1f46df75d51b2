// POSIX side of the file layer, its files and locks: open(2), pread/pwrite, fcntl byte-range locks.
#include "PlatformFiles.h"
#include "PlatformPosix.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace taviro::platform {
namespace {

using posix::retryOnInterrupt;
using posix::shareLikeItsFolder;

int toFd(std::intptr_t handle)
{
    return static_cast<int>(handle);
}

// Reads until count bytes are in or the end of the file is reached; read(done) reads the next part.
template <typename Read> ErrorCode readUntilFullOrEnd(std::size_t count, std::size_t& got, Read read)
{
    got = 0;
    while (got < count) {
        const ssize_t n = retryOnInterrupt([&] { return read(got); });
        if (n < 0)
            return errno;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    return 0;
}

// Opens the file; when create is set and it is missing, makes it (only if still missing, so that
// a file another workstation made a moment ago is never truncated) with its folder's sharing. A
// truncating open (O_TRUNC) tries the making first, as does one told to (makeFirst): such files
// are mostly new, and the failed open would be a round trip for nothing.
int openMaybeCreating(const std::string& path, int flags, bool create, bool makeFirst, bool& created)
{
    created = false;
    makeFirst = create && (makeFirst || (flags & O_TRUNC) != 0);
    for (int attempt = 0;; ++attempt) {
        if (!makeFirst || attempt > 0) {
            const int fd = retryOnInterrupt([&] { return ::open(path.c_str(), flags); });
            if (fd >= 0 || errno != ENOENT || !create)
                return fd;
        }
        const int fd =
            retryOnInterrupt([&] { return ::open(path.c_str(), (flags & ~O_TRUNC) | O_CREAT | O_EXCL, 0666); });
        if (fd >= 0) {
            created = true;
            shareLikeItsFolder(fd, path);
            return fd;
        }
        // EEXIST: the file is there (or somebody made it between the two opens); open it.
        if (errno != EEXIST || attempt >= 8)
            return -1;
    }
}

// A lock held elsewhere: fcntl may say EACCES as well as EAGAIN, and the former must not read as
// a missing permission.
ErrorCode refusalOf(int error)
{
    return error == EACCES ? EAGAIN : error;
}

#ifdef F_OFD_SETLK
constexpr int kSetLock = F_OFD_SETLK;
#else
constexpr int kSetLock = F_SETLK;
#endif

int setLock(int fd, bool exclusive, off_t start)
{
    struct flock range
    {};
    range.l_type = exclusive ? F_WRLCK : F_RDLCK;
    range.l_whence = SEEK_SET;
    range.l_start = start;
    range.l_len = 1;
    return retryOnInterrupt([&] { return ::fcntl(fd, kSetLock, &range); });
}

// Where the lock on a data file itself lies: far past any content, so that it never covers a byte
// somebody reads or writes, even where a network share makes byte-range locks mandatory.
constexpr off_t kContentLockOffset = off_t{1} << 62;

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
        flags |= O_TRUNC;
    File file;
    bool created = false;
    const int fd = openMaybeCreating(path, flags, creation != Creation::OpenExisting,
                                     creation == Creation::CreateFirstOrOpen, created);
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
    file.m_created = created;
    file.m_seekable = S_ISREG(info.st_mode);
    file.m_sizeAtOpen = file.m_seekable ? static_cast<std::uint64_t>(info.st_size) : kUnknownSize;
    file.m_device = static_cast<std::uint64_t>(info.st_dev);
    file.m_inode = static_cast<std::uint64_t>(info.st_ino);
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
    return readUntilFullOrEnd(count, got, [&](std::size_t done) {
        return ::pread(toFd(m_handle), buffer + done, count - done, static_cast<off_t>(offset + done));
    });
}

ErrorCode File::readNext(char* buffer, std::size_t count, std::size_t& got)
{
    return readUntilFullOrEnd(count, got,
                              [&](std::size_t done) { return ::read(toFd(m_handle), buffer + done, count - done); });
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

ErrorCode File::truncate(std::uint64_t size)
{
    m_sizeAtOpen = kUnknownSize;
    return retryOnInterrupt([&] { return ::ftruncate(toFd(m_handle), static_cast<off_t>(size)); }) == 0 ? 0 : errno;
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
    m_created = false;
    // close(2) must not be repeated after EINTR on Linux: the descriptor is gone either way.
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

ErrorCode File::tryLockContent(bool exclusive)
{
    return setLock(toFd(m_handle), exclusive, kContentLockOffset) == 0 ? 0 : refusalOf(errno);
}

bool File::isStillAt(const std::string& path) const
{
    struct stat named = {};
    return ::stat(path.c_str(), &named) == 0 && static_cast<std::uint64_t>(named.st_dev) == m_device &&
           static_cast<std::uint64_t>(named.st_ino) == m_inode;
}

RangeLock RangeLock::tryAcquire(const std::string& lockFilePath, bool exclusive, ErrorCode& error, bool expectNew)
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
    // A shared lock needs the file open for reading only, which a folder the user may only read
    // allows; an exclusive one needs it writable. A lock file removed by hand while somebody holds
    // it is not looked for here: the data file's own lock (File::tryLockContent) keeps a second
    // writer out all the same, and readers see whole records either way.
    const int access = exclusive ? O_RDWR : O_RDONLY;
    bool created = false;
    const int fd = openMaybeCreating(lockFilePath, access | O_CLOEXEC, true, expectNew, created);
    if (fd < 0) {
        error = errno;
    } else if (setLock(fd, exclusive, 0) != 0) {
        error = refusalOf(errno);
        ::close(fd);
    } else {
        error = 0;
        lock.m_handle = fd;
#ifndef F_OFD_SETLK
        lock.m_path = lockFilePath; // to take it out of the held ones on release
#endif
        return lock;
    }
#ifndef F_OFD_SETLK
    std::lock_guard guard(heldLocksMutex());
    heldLocks().erase(lockFilePath);
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

bool isNotFound(ErrorCode error)
{
    return error == ENOENT;
}

ErrorCode lockRefused()
{
    return EAGAIN;
}

Permanence permanenceOf(ErrorCode error)
{
    switch (error) {
    case EACCES:
    case EPERM:
        return Permanence::NoPermission;
    case EROFS:
        return Permanence::ReadOnly;
    case EISDIR:
        return Permanence::FolderInTheWay;
    case ENOTDIR:
        return Permanence::FileInTheWay;
    case ENAMETOOLONG:
    case ELOOP:
        return Permanence::BadName;
    default:
        return Permanence::Passing;
    }
}

} // namespace taviro::platform
