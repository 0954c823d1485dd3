#pragma once
// One line of a conversion benchmark: wall time, output MB/s, records/s,
// peak memory and CPU time of a child run.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/vettle/ChildRun.h"

inline void PrintRun(int labelWidth, const char* label, const ChildResult& run, uint64_t outputBytes,
                     uint64_t records)
{
    std::printf("%-*s %7.2f s %8.1f MB/s out %11.0f records/s  peak %7.1f MiB  cpu %6.2f s%s\n", labelWidth,
                label, run.seconds, static_cast<double>(outputBytes) / 1e6 / run.seconds,
                static_cast<double>(records) / run.seconds, static_cast<double>(run.peakKiB) / 1024.0,
                run.cpuSeconds, run.exitStatus == 0 ? "" : "  (FAILED)");
}

// The size of a file, 0 when it cannot be read.
inline uint64_t SizeOf(const std::string& path)
{
    std::error_code error;
    const uint64_t size = std::filesystem::file_size(path, error);
    return error ? 0 : size;
}
