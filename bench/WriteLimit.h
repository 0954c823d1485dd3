#pragma once
// The machine's write limit beside a conversion: `dd` writing as many bytes
// as the conversion wrote, into the same folder, and the conversion's rate on
// all cores set against its goal in records a second and against dd's rate
// for the same number of records.

#include <cstdint>
#include <cstdio>
#include <string>

#include "bench/RunFigures.h"
#include "bench/ThreadGain.h"
#include "bench/vettle/ChildRun.h"

// Writes `bytes` (rounded up to whole MiB) of zeros to `path`, then removes it.
inline ChildResult DdOfSize(const std::string& path, uint64_t bytes)
{
    const uint64_t mebibytes = (bytes + (1u << 20) - 1) >> 20;
    const ChildResult run = FastestOf(kRunsPerFigure, {"/bin/dd", "if=/dev/zero", "of=" + path, "bs=1M",
                                                       "count=" + std::to_string(mebibytes), "status=none"});
    std::remove(path.c_str());
    return run;
}

inline void PrintAllCoresGoal(const ThreadRuns& runs, uint64_t records, double goalMillions,
                              const ChildResult& dd)
{
    const double millions = static_cast<double>(records) / 1e6;
    const double rate = millions / runs.allCores.seconds;
    const double ddRate = millions / dd.seconds;
    std::printf(
        "  CSV list form on all cores: %.2f M records/s (goal >= %.1f: %s), %.0f %% of dd's %.2f M "
        "records/s\n",
        rate, goalMillions, rate >= goalMillions ? "met" : "NOT met", 100.0 * rate / ddRate, ddRate);
}
