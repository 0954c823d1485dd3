#pragma once
// A batch run into CSV list form on one thread and on all cores: each the
// fastest of a few runs (on a machine shared with other work the slower ones
// measure that work), their outputs compared byte for byte, and the gain of
// the other cores set against its goal of 1.5 times.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/ExportThreadsSetting.h"
#include "bench/vettle/ChildRun.h"

constexpr int kRunsPerFigure = 3;

inline ChildResult FastestOf(int runs, const std::vector<std::string>& argv)
{
    ChildResult best = RunChild(argv);
    for (int i = 1; i < runs && best.exitStatus == 0; ++i) {
        const ChildResult run = RunChild(argv);
        if (run.exitStatus != 0 || run.seconds < best.seconds) best = run;
    }
    return best;
}

inline bool SameFileBytes(const std::string& a, const std::string& b)
{
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return first && second &&
           std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(second), std::istreambuf_iterator<char>());
}

struct ThreadRuns
{
    ChildResult oneThread;
    ChildResult allCores;
    bool sameBytes = false;
};

// `argv` writes `csv`; the one thread's output is kept as `oneThreadCsv`.
inline ThreadRuns RunOnOneThreadAndAllCores(const std::vector<std::string>& argv, const std::string& csv,
                                            const std::string& oneThreadCsv)
{
    ThreadRuns runs;
    SetExportThreads(1);
    runs.oneThread = FastestOf(kRunsPerFigure, argv);
    std::rename(csv.c_str(), oneThreadCsv.c_str());
    SetExportThreads(0);
    runs.allCores = FastestOf(kRunsPerFigure, argv);
    runs.sameBytes = SameFileBytes(csv, oneThreadCsv);
    std::remove(oneThreadCsv.c_str());
    return runs;
}

inline void PrintGain(const ThreadRuns& runs)
{
    std::printf(
        "  all cores beside one thread: %.2f times by the wall clock (goal >= 1.50), %.2f times the CPU "
        "time; output %s\n",
        runs.oneThread.seconds / runs.allCores.seconds,
        runs.oneThread.cpuSeconds > 0 ? runs.allCores.cpuSeconds / runs.oneThread.cpuSeconds : 0.0,
        runs.sameBytes ? "identical" : "DIFFERENT");
}
