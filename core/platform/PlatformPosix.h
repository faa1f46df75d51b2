// What the POSIX side of the file layer shares between its files (PlatformFilesPosix.cpp: files
// and locks; PlatformFoldersPosix.cpp: folders, their sharing and whole-file operations).
#pragma once

#include <cerrno>
#include <string>

namespace taviro::platform::posix {

// Retries a system call that a signal interrupted.
template <typename Call> auto retryOnInterrupt(Call call)
{
    decltype(call()) result;
    do {
        result = call();
    } while (result == -1 && errno == EINTR);
    return result;
}

// The folder a path is in ("." for a bare name).
std::string parentFolder(const std::string& path);
// Gives a file just made the sharing bits of its folder (see sharedBits).
void shareLikeItsFolder(int fd, const std::string& path);

} // namespace taviro::platform::posix
