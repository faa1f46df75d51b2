// POSIX side of what the program asks of its process: where its executable is, its arguments,
// absolute paths, error texts and sleeping.
#include "PlatformFiles.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <type_traits>

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

// The system's own texts are in English whatever the user's language, and they stand inside the
// program's Polish messages: the errors a data folder meets are told in Polish, the rest by number
// with the system's text.
std::string errorText(ErrorCode error)
{
    switch (error) {
    case ENOSPC:
        return "brak miejsca na dysku";
    case EDQUOT:
        return "przekroczony przydział miejsca na dysku";
    case EACCES:
    case EPERM:
        return "brak uprawnień";
    case EROFS:
        return "system plików jest dostępny tylko do odczytu";
    case ENOENT:
        return "nie ma takiego pliku ani katalogu";
    case EEXIST:
        return "plik już istnieje";
    case EISDIR:
        return "to jest katalog";
    case ENOTDIR:
        return "to nie jest katalog";
    case EIO:
        return "błąd wejścia/wyjścia";
    case EAGAIN:
        return "plik jest zablokowany przez inny program lub stanowisko";
    case EBUSY:
        return "plik jest zajęty";
    case ENAMETOOLONG:
        return "nazwa pliku jest za długa";
    case EMFILE:
    case ENFILE:
        return "otwarto za dużo plików";
    case ESTALE:
        return "plik w udziale sieciowym przestał być dostępny";
    case ETIMEDOUT:
        return "upłynął czas oczekiwania na odpowiedź";
    case EFBIG:
        return "plik jest za duży";
    default: {
        char buffer[256] = {};
        // The GNU strerror_r returns its text (perhaps not in buffer); the POSIX one fills buffer.
        const auto text = ::strerror_r(error, buffer, sizeof buffer);
        if constexpr (std::is_same_v<decltype(text), const int>)
            return "błąd systemu nr " + std::to_string(error) + " (" + buffer + ")";
        else
            return "błąd systemu nr " + std::to_string(error) + " (" + text + ")";
    }
    }
}

void sleepMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

} // namespace taviro::platform
