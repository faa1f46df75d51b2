// POSIX side of what the program asks of its process: where its executable is, its arguments,
// absolute paths, error texts and sleeping.
#include "PlatformFiles.h"

#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <thread>

#include <unistd.h>

namespace taviro::platform {

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
