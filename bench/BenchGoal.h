#pragma once
// The line that sets a batch conversion to CSV list form on one thread
// against its goals: 2 million records per second on one core, peak memory
// under 64 MiB. The rate is given by wall time and by the child's CPU time,
// which a machine shared with other work leaves meaningful.

#include <cstdint>
#include <cstdio>

#include "bench/vettle/ChildRun.h"

inline void PrintGoal(const ChildResult& run, uint64_t records)
{
    const double millions = static_cast<double>(records) / 1e6;
    std::printf(
        "  CSV list form on one thread: %.2f M records/s wall, %.2f M records/s of CPU time (goal >= 2.00), "
        "peak %.1f MiB (goal < 64)\n",
        millions / run.seconds, run.cpuSeconds > 0 ? millions / run.cpuSeconds : 0.0,
        static_cast<double>(run.peakKiB) / 1024.0);
}
