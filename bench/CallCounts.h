// The file-system calls a benchmark made on the files of its data folder, counted by the preloaded
// library bench/calls/CallCounter.cpp (run a benchmark through bench/run-counted.sh). Without the
// library the counts are not known and the benchmarks print times only. On a network share every
// one of these calls is a round trip, whatever the bytes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace taviro::bench {

struct CallCounts
{
    std::uint64_t opens = 0;
    std::uint64_t closes = 0;
    std::uint64_t stats = 0;  // stat, lstat, fstat, fstatat, statx, access
    std::uint64_t locks = 0;  // fcntl
    std::uint64_t syncs = 0;  // fsync, fdatasync
    std::uint64_t reads = 0;  // read, pread
    std::uint64_t writes = 0; // write, pwrite
    std::uint64_t others = 0; // rename, unlink, mkdir, chmod, ftruncate, opendir

    std::uint64_t total() const { return opens + closes + stats + locks + syncs + reads + writes + others; }
    CallCounts operator-(const CallCounts& before) const
    {
        return {opens - before.opens, closes - before.closes, stats - before.stats,   locks - before.locks,
                syncs - before.syncs, reads - before.reads,   writes - before.writes, others - before.others};
    }
};

// Counts from now on only the calls on paths under folder (a full path).
void watchCallsUnder(const std::string& folder);
// The counts so far, or nothing when the counting library is not preloaded.
std::optional<CallCounts> callsSoFar();
// "opens 3, closes 3, stats 2, locks 4, syncs 1, reads 2, writes 1, others 0 (16)".
std::string callsText(const CallCounts& counts, double perOperation = 1.0);

} // namespace taviro::bench
