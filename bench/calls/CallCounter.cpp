// A preloaded library (LD_PRELOAD, Linux) that counts the file-system calls a benchmark makes on the
// files of one folder and can add a delay to each, as a network share adds a round trip to every
// call. Only paths under the watched folder count, and the calls on descriptors opened from such
// paths: the program's own libraries, fonts and the terminal are left out.
//
//   TAVIRO_CALL_DELAY_US   microseconds slept in every counted call (0 or unset: none)
//   TAVIRO_CALL_TRACE      when set, every counted call is written to standard error with its path
//
// The benchmark names the folder and reads the counts through the functions below, found with
// dlsym when the library is preloaded (see bench/CallCounts.h).
#include "../CallCounts.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <mutex>
#include <string>

namespace {

constexpr int kMaxDescriptors = 65536;

std::mutex g_mutex;
std::string g_folder; // empty: nothing is counted
taviro::bench::CallCounts g_counts;
std::atomic<bool> g_watched[kMaxDescriptors];
std::string g_pathOf[kMaxDescriptors]; // for the trace only
int g_delayMicroseconds = -1;

int delayMicroseconds()
{
    if (g_delayMicroseconds < 0) {
        const char* text = std::getenv("TAVIRO_CALL_DELAY_US");
        g_delayMicroseconds = text ? std::atoi(text) : 0;
    }
    return g_delayMicroseconds;
}

bool isWatchedPath(const char* path)
{
    if (!path)
        return false;
    std::lock_guard lock(g_mutex);
    return !g_folder.empty() && std::strncmp(path, g_folder.c_str(), g_folder.size()) == 0;
}

bool isWatchedDescriptor(int fd)
{
    return fd >= 0 && fd < kMaxDescriptors && g_watched[fd].load(std::memory_order_relaxed);
}

bool tracing()
{
    static const bool on = std::getenv("TAVIRO_CALL_TRACE") != nullptr;
    return on;
}

void count(std::uint64_t taviro::bench::CallCounts::*field, const char* call = nullptr, const char* path = nullptr)
{
    {
        std::lock_guard lock(g_mutex);
        ++(g_counts.*field);
    }
    if (call && tracing())
        std::fprintf(stderr, "call %s %s\n", call, path ? path : "");
    if (const int delay = delayMicroseconds(); delay > 0)
        ::usleep(static_cast<useconds_t>(delay));
}

template <typename Function> Function next(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

int noteOpened(int fd, bool watched, const char* path)
{
    if (fd >= 0 && fd < kMaxDescriptors) {
        g_watched[fd] = watched;
        if (watched && tracing()) {
            std::lock_guard lock(g_mutex);
            g_pathOf[fd] = path;
        }
    }
    return fd;
}

// The path a watched descriptor was opened with, for the trace.
const char* pathOf(int fd)
{
    return tracing() && fd >= 0 && fd < kMaxDescriptors ? g_pathOf[fd].c_str() : "";
}

mode_t modeOf(int flags, va_list arguments)
{
    return (flags & (O_CREAT | O_TMPFILE)) ? static_cast<mode_t>(va_arg(arguments, int)) : 0;
}

// A path relative to a directory descriptor is taken as watched when the descriptor is.
bool isWatchedAt(int directory, const char* path)
{
    return isWatchedPath(path) || (path && path[0] != '/' && isWatchedDescriptor(directory));
}

// The same, where an empty path means the descriptor itself (AT_EMPTY_PATH).
bool isWatchedAtOrItself(int directory, const char* path)
{
    return isWatchedAt(directory, path) || (path && !*path && isWatchedDescriptor(directory));
}

} // namespace

using taviro::bench::CallCounts;

extern "C" {

void taviro_calls_watch(const char* folder)
{
    std::lock_guard lock(g_mutex);
    g_folder = folder ? folder : "";
}

void taviro_calls_read(CallCounts* counts)
{
    std::lock_guard lock(g_mutex);
    *counts = g_counts;
}

#define TAVIRO_OPEN(name)                                                                                              \
    int name(const char* path, int flags, ...)                                                                         \
    {                                                                                                                  \
        va_list arguments;                                                                                             \
        va_start(arguments, flags);                                                                                    \
        const mode_t mode = modeOf(flags, arguments);                                                                  \
        va_end(arguments);                                                                                             \
        static const auto real = next<int (*)(const char*, int, ...)>(#name);                                          \
        const bool watched = isWatchedPath(path);                                                                      \
        if (watched)                                                                                                   \
            count(&CallCounts::opens, #name, path);                                                                    \
        return noteOpened(real(path, flags, mode), watched, path);                                                     \
    }
TAVIRO_OPEN(open)
TAVIRO_OPEN(open64)

#define TAVIRO_OPENAT(name)                                                                                            \
    int name(int directory, const char* path, int flags, ...)                                                          \
    {                                                                                                                  \
        va_list arguments;                                                                                             \
        va_start(arguments, flags);                                                                                    \
        const mode_t mode = modeOf(flags, arguments);                                                                  \
        va_end(arguments);                                                                                             \
        static const auto real = next<int (*)(int, const char*, int, ...)>(#name);                                     \
        const bool watched = isWatchedAt(directory, path);                                                             \
        if (watched)                                                                                                   \
            count(&CallCounts::opens, #name, path);                                                                    \
        return noteOpened(real(directory, path, flags, mode), watched, path);                                          \
    }
TAVIRO_OPENAT(openat)
TAVIRO_OPENAT(openat64)

int close(int fd)
{
    static const auto real = next<int (*)(int)>("close");
    if (isWatchedDescriptor(fd)) {
        g_watched[fd] = false;
        count(&CallCounts::closes, "close", pathOf(fd));
    }
    return real(fd);
}

#define TAVIRO_PATH_STAT(name, type)                                                                                   \
    int name(const char* path, type* buffer)                                                                           \
    {                                                                                                                  \
        static const auto real = next<int (*)(const char*, type*)>(#name);                                             \
        if (isWatchedPath(path))                                                                                       \
            count(&CallCounts::stats, #name, path);                                                                    \
        return real(path, buffer);                                                                                     \
    }
TAVIRO_PATH_STAT(stat, struct stat)
TAVIRO_PATH_STAT(lstat, struct stat)
TAVIRO_PATH_STAT(stat64, struct stat64)
TAVIRO_PATH_STAT(lstat64, struct stat64)

#define TAVIRO_FD_STAT(name, type)                                                                                     \
    int name(int fd, type* buffer)                                                                                     \
    {                                                                                                                  \
        static const auto real = next<int (*)(int, type*)>(#name);                                                     \
        if (isWatchedDescriptor(fd))                                                                                   \
            count(&CallCounts::stats, #name, pathOf(fd));                                                              \
        return real(fd, buffer);                                                                                       \
    }
TAVIRO_FD_STAT(fstat, struct stat)
TAVIRO_FD_STAT(fstat64, struct stat64)

#define TAVIRO_AT_STAT(name, type)                                                                                     \
    int name(int directory, const char* path, type* buffer, int flags)                                                 \
    {                                                                                                                  \
        static const auto real = next<int (*)(int, const char*, type*, int)>(#name);                                   \
        if (isWatchedAtOrItself(directory, path))                                                                      \
            count(&CallCounts::stats, #name, path);                                                                    \
        return real(directory, path, buffer, flags);                                                                   \
    }
TAVIRO_AT_STAT(fstatat, struct stat)
TAVIRO_AT_STAT(fstatat64, struct stat64)

int statx(int directory, const char* path, int flags, unsigned int mask, struct statx* buffer)
{
    static const auto real = next<int (*)(int, const char*, int, unsigned int, struct statx*)>("statx");
    if (isWatchedAtOrItself(directory, path))
        count(&CallCounts::stats, "statx", path);
    return real(directory, path, flags, mask, buffer);
}

int access(const char* path, int mode)
{
    static const auto real = next<int (*)(const char*, int)>("access");
    if (isWatchedPath(path))
        count(&CallCounts::stats, "access", path);
    return real(path, mode);
}

#define TAVIRO_FCNTL(name)                                                                                             \
    int name(int fd, int command, ...)                                                                                 \
    {                                                                                                                  \
        va_list arguments;                                                                                             \
        va_start(arguments, command);                                                                                  \
        void* argument = va_arg(arguments, void*);                                                                     \
        va_end(arguments);                                                                                             \
        static const auto real = next<int (*)(int, int, ...)>(#name);                                                  \
        if (isWatchedDescriptor(fd))                                                                                   \
            count(&CallCounts::locks, #name, pathOf(fd));                                                              \
        return real(fd, command, argument);                                                                            \
    }
TAVIRO_FCNTL(fcntl)
TAVIRO_FCNTL(fcntl64)

#define TAVIRO_FD_CALL(name, field)                                                                                    \
    int name(int fd)                                                                                                   \
    {                                                                                                                  \
        static const auto real = next<int (*)(int)>(#name);                                                            \
        if (isWatchedDescriptor(fd))                                                                                   \
            count(&CallCounts::field, #name, pathOf(fd));                                                              \
        return real(fd);                                                                                               \
    }
TAVIRO_FD_CALL(fsync, syncs)
TAVIRO_FD_CALL(fdatasync, syncs)

#define TAVIRO_IO(name, field, buffer_type)                                                                            \
    ssize_t name(int fd, buffer_type buffer, size_t size)                                                              \
    {                                                                                                                  \
        static const auto real = next<ssize_t (*)(int, buffer_type, size_t)>(#name);                                   \
        if (isWatchedDescriptor(fd))                                                                                   \
            count(&CallCounts::field, #name, pathOf(fd));                                                              \
        return real(fd, buffer, size);                                                                                 \
    }
TAVIRO_IO(read, reads, void*)
TAVIRO_IO(write, writes, const void*)

#define TAVIRO_PIO(name, field, buffer_type)                                                                           \
    ssize_t name(int fd, buffer_type buffer, size_t size, off_t offset)                                                \
    {                                                                                                                  \
        static const auto real = next<ssize_t (*)(int, buffer_type, size_t, off_t)>(#name);                            \
        if (isWatchedDescriptor(fd))                                                                                   \
            count(&CallCounts::field, #name, pathOf(fd));                                                              \
        return real(fd, buffer, size, offset);                                                                         \
    }
TAVIRO_PIO(pread, reads, void*)
TAVIRO_PIO(pread64, reads, void*)
TAVIRO_PIO(pwrite, writes, const void*)
TAVIRO_PIO(pwrite64, writes, const void*)

int ftruncate(int fd, off_t size)
{
    static const auto real = next<int (*)(int, off_t)>("ftruncate");
    if (isWatchedDescriptor(fd))
        count(&CallCounts::others, "ftruncate", pathOf(fd));
    return real(fd, size);
}

int rename(const char* from, const char* to)
{
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    if (isWatchedPath(from) || isWatchedPath(to))
        count(&CallCounts::others, "rename", from);
    return real(from, to);
}

int unlink(const char* path)
{
    static const auto real = next<int (*)(const char*)>("unlink");
    if (isWatchedPath(path))
        count(&CallCounts::others, "unlink", path);
    return real(path);
}

int mkdir(const char* path, mode_t mode)
{
    static const auto real = next<int (*)(const char*, mode_t)>("mkdir");
    if (isWatchedPath(path))
        count(&CallCounts::others, "mkdir", path);
    return real(path, mode);
}

int chmod(const char* path, mode_t mode)
{
    static const auto real = next<int (*)(const char*, mode_t)>("chmod");
    if (isWatchedPath(path))
        count(&CallCounts::others, "chmod", path);
    return real(path, mode);
}

DIR* opendir(const char* path)
{
    static const auto real = next<DIR* (*)(const char*)>("opendir");
    if (isWatchedPath(path))
        count(&CallCounts::others, "opendir", path);
    return real(path);
}

} // extern "C"
