#include "CallCounts.h"

#include <cstdio>

#include <dlfcn.h>

namespace taviro::bench {
namespace {

template <typename Function> Function counterFunction(const char* name)
{
    return reinterpret_cast<Function>(::dlsym(RTLD_DEFAULT, name));
}

} // namespace

void watchCallsUnder(const std::string& folder)
{
    if (const auto watch = counterFunction<void (*)(const char*)>("taviro_calls_watch"))
        watch(folder.c_str());
}

std::optional<CallCounts> callsSoFar()
{
    const auto read = counterFunction<void (*)(CallCounts*)>("taviro_calls_read");
    if (!read)
        return std::nullopt;
    CallCounts counts;
    read(&counts);
    return counts;
}

std::string callsText(const CallCounts& counts, double perOperation)
{
    const auto part = [&](const char* name, std::uint64_t value) {
        char text[48];
        std::snprintf(text, sizeof text, "%s %.1f", name, static_cast<double>(value) / perOperation);
        return std::string(text);
    };
    return part("opens", counts.opens) + ", " + part("closes", counts.closes) + ", " + part("stats", counts.stats) +
           ", " + part("locks", counts.locks) + ", " + part("syncs", counts.syncs) + ", " +
           part("reads", counts.reads) + ", " + part("writes", counts.writes) + ", " + part("others", counts.others) +
           " (" + part("all", counts.total()) + ")";
}

} // namespace taviro::bench
