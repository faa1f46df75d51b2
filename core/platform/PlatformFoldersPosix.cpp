// POSIX side of the folders of the file layer: the sharing bits of what is made in a shared
// folder, folder syncs, making folders, and whole files by path: rename(2), unlink(2), stat(2).
#include "PlatformFiles.h"
#include "PlatformPosix.h"

#include <chrono>
#include <ctime>
#include <map>
#include <mutex>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace taviro::platform {
namespace posix {

std::string parentFolder(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

} // namespace posix

namespace {

using posix::parentFolder;
using posix::retryOnInterrupt;

// The permission bits a new file or folder gets on top of what the umask leaves: read and write
// (and search, for a folder) for the group when the folder it is made in is writable by its group,
// and the same for others when it is writable by everybody. So every user a shared folder admits
// can lock, append to and replace what another user made there.
//
// A folder's permissions are looked at once every few seconds: an import makes a hundred files in
// one folder, and on a network share each look is a round trip. A folder whose permissions an
// administrator changes is followed within those seconds.
mode_t sharedBits(const std::string& folder, bool isFolder)
{
    struct Seen
    {
        mode_t mode = 0;
        std::chrono::steady_clock::time_point when;
    };
    constexpr auto kLookAgainAfter = std::chrono::seconds(5);
    static std::mutex mutex;
    static std::map<std::string, Seen> seen;
    const auto now = std::chrono::steady_clock::now();
    mode_t folderMode = 0;
    {
        std::lock_guard guard(mutex);
        const auto found = seen.find(folder);
        if (found != seen.end() && now - found->second.when < kLookAgainAfter) {
            folderMode = found->second.mode;
        } else {
            struct stat parent
            {};
            if (::stat(folder.c_str(), &parent) != 0)
                return 0;
            if (seen.size() > 64)
                seen.clear(); // folders met long ago need not be kept
            folderMode = parent.st_mode;
            seen[folder] = {folderMode, now};
        }
    }
    mode_t bits = 0;
    if (folderMode & S_IWGRP)
        bits |= S_IRGRP | S_IWGRP | (isFolder ? S_IXGRP : 0);
    if (folderMode & S_IWOTH)
        bits |= S_IROTH | S_IWOTH | (isFolder ? S_IXOTH : 0);
    return bits;
}

void syncFolder(const std::string& folder)
{
    const int dir = retryOnInterrupt([&] { return ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); });
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

} // namespace

namespace posix {

void shareLikeItsFolder(int fd, const std::string& path)
{
    const mode_t bits = sharedBits(parentFolder(path), false);
    struct stat own
    {};
    if (bits == 0 || ::fstat(fd, &own) != 0)
        return;
    const mode_t mode = own.st_mode & 07777;
    if ((mode | bits) != mode)
        ::fchmod(fd, mode | bits);
}

} // namespace posix

bool fileExists(const std::string& path)
{
    struct stat info
    {};
    return ::stat(path.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool lacksFolderSharing(const std::string& path)
{
    struct stat info
    {};
    const mode_t bits = sharedBits(parentFolder(path), false);
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & bits) != bits;
}

ErrorCode shareLikeFolder(const std::string& path)
{
    struct stat info
    {};
    const mode_t bits = sharedBits(parentFolder(path), false);
    if (::stat(path.c_str(), &info) != 0 ||
        ((info.st_mode & bits) != bits && ::chmod(path.c_str(), (info.st_mode & 07777) | bits) != 0))
        return errno;
    return 0;
}

void syncFolderOf(const std::string& filePath)
{
    detail::reportFolderSync(filePath);
    syncFolder(parentFolder(filePath));
}

ErrorCode replaceFile(const std::string& source, const std::string& target)
{
    if (::rename(source.c_str(), target.c_str()) != 0)
        return errno;
    // The rename is atomic at once; syncing the folder makes it survive a power cut as well.
    syncFolderOf(target);
    return 0;
}

ErrorCode removeFile(const std::string& path)
{
    return ::unlink(path.c_str()) == 0 ? 0 : errno;
}

ErrorCode createDirectories(const std::string& path)
{
    std::string folder = path;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    struct stat info
    {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (errno != ENOENT)
        return errno;
    const std::string parent = parentFolder(folder);
    if (parent != "." && parent != "/" && parent != folder) {
        if (const ErrorCode error = createDirectories(parent))
            return error;
    }
    if (::mkdir(folder.c_str(), 0777) != 0) {
        if (errno != EEXIST)
            return errno;
        return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    }
    // Made by this call: it is shared like the folder it is in (see sharedBits), and its entry in
    // that folder goes to the disk before anything is made inside it.
    if (const mode_t bits = sharedBits(parent, true); bits != 0 && ::stat(folder.c_str(), &info) == 0)
        ::chmod(folder.c_str(), (info.st_mode & 07777) | bits);
    syncFolderOf(folder);
    return 0;
}

bool secondsSinceChange(const std::string& path, std::int64_t& seconds)
{
    struct stat info
    {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    seconds = static_cast<std::int64_t>(::time(nullptr)) - static_cast<std::int64_t>(info.st_mtime);
    return true;
}

} // namespace taviro::platform
