#include "Clock.h"

#include <ctime>

namespace taviro {
namespace {

std::tm localNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

} // namespace

Date SystemClock::today() const
{
    const std::tm local = localNow();
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

TimeOfDay SystemClock::now() const
{
    const std::tm local = localNow();
    return {local.tm_hour, local.tm_min, local.tm_sec};
}

} // namespace taviro
