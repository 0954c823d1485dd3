#pragma once
// A conversion run at N and at 2N records: time per record and peak memory of
// both, and whether the time grows linearly (2N within 2.2 times N) and the
// memory stays flat (2N within 10 % or 4 MiB of N). The verdict on the time
// takes the user time, the program's own work: the system time is mostly the
// kernel copying the output into the page cache, which costs several times
// as much in pages this machine has not used before (dd shows the same), and
// the wall clock follows the other work on a shared machine; both are printed.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/vettle/ChildRun.h"

struct ScaleRun
{
    uint64_t records = 0;
    ChildResult run;
};

// The fastest of `runs` runs of `argv` by the wall clock (on a shared machine
// the slower ones measure the other work), each writing `output` anew.
inline ChildResult FastestFreshRun(int runs, const std::vector<std::string>& argv, const std::string& output)
{
    ChildResult best;
    for (int i = 0; i < runs; ++i) {
        std::filesystem::remove(output);
        const ChildResult run = RunChild(argv);
        if (i == 0 || run.exitStatus != 0 || run.seconds < best.seconds) best = run;
        if (run.exitStatus != 0) break;
    }
    return best;
}

inline void PrintScaleRun(const char* label, const ScaleRun& scale)
{
    const double nanoseconds = 1e9 / static_cast<double>(scale.records);
    std::printf("%-40s %6.2f s  ns/record: %5.1f wall %5.1f user %5.1f system  peak %6.1f MiB%s\n", label,
                scale.run.seconds, scale.run.seconds * nanoseconds, scale.run.userSeconds * nanoseconds,
                (scale.run.cpuSeconds - scale.run.userSeconds) * nanoseconds,
                static_cast<double>(scale.run.peakKiB) / 1024.0,
                scale.run.exitStatus == 0 ? "" : "  (FAILED)");
}

// Prints the verdict; true when both hold.
inline bool PrintScaleVerdict(const ScaleRun& n, const ScaleRun& twoN)
{
    constexpr double kMaxRatio = 2.2;
    const auto ratio = [](double twice, double once) { return once > 0 ? twice / once : 0.0; };
    const double wall = ratio(twoN.run.seconds, n.run.seconds);
    const double user = ratio(twoN.run.userSeconds, n.run.userSeconds);
    const double system =
        ratio(twoN.run.cpuSeconds - twoN.run.userSeconds, n.run.cpuSeconds - n.run.userSeconds);
    const bool linear = user > 0 && user <= kMaxRatio;
    const double peak = static_cast<double>(n.run.peakKiB) / 1024.0;
    const double peakTwice = static_cast<double>(twoN.run.peakKiB) / 1024.0;
    const bool flat = peakTwice <= peak * 1.1 || peakTwice <= peak + 4.0;
    std::printf(
        "  2N beside N: user time %.2f times (linear: <= %.1f): %s; wall clock %.2f times, system time "
        "%.2f times; peak %.1f beside %.1f MiB (flat): %s\n",
        user, kMaxRatio, linear ? "yes" : "NO", wall, system, peakTwice, peak, flat ? "yes" : "NO");
    return linear && flat && n.run.exitStatus == 0 && twoN.run.exitStatus == 0;
}

// Writes `input` of that many records and prints what it holds; false when it
// cannot.
using ScaleInput = std::function<bool(uint64_t records)>;

// `argv` (labelled `label`) converts `input` into `output` at N and 2N
// records; both files are removed after each size. Returns the exit status of
// the benchmark: 0 when time and memory held.
inline int RunScaleCheck(const std::string& label, const std::vector<std::string>& argv,
                         const std::string& input, const std::string& output, uint64_t records,
                         const ScaleInput& write)
{
    constexpr int kRuns = 3;
    ScaleRun runs[2];
    for (int i = 0; i < 2; ++i) {
        runs[i].records = records << i;
        if (!write(runs[i].records)) return 1;
        std::fflush(stdout);
        runs[i].run = FastestFreshRun(kRuns, argv, output);
        std::error_code error;
        std::printf("  CSV output %.1f MB\n",
                    static_cast<double>(std::filesystem::file_size(output, error)) / 1e6);
        PrintScaleRun((label + (i == 0 ? ", N" : ", 2N")).c_str(), runs[i]);
        std::fflush(stdout);
        std::filesystem::remove(output);
        std::filesystem::remove(input);
    }
    return PrintScaleVerdict(runs[0], runs[1]) ? 0 : 1;
}
