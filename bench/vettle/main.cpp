// Benchmark of the tamper check: generates a data log of about 1 GB, then
// prints the seconds and MB/s of `vettle -i` on it (alone, and twice side by
// side) beside `cat` of the same file and a plain loop that finds each line
// end with memchr and runs zlib's crc32 over the line, and peak memories.
// The loop and the check alone run `runs` times in turn; the best wall clock
// and the best CPU time of each give the ratios, which are set against the
// goals: 1.5 times the loop's CPU efficiency, 3 times its speed by the wall
// clock on two cores.
//
// usage: vettle-bench [folder (/tmp)] [rows (10000000)] [runs (3)]
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "bench/vettle/ChildRun.h"
#include "tools/integrity-csv/IntegrityLogWriter.h"
#include "vettle/DetectTamper.h"  // the size from which a log is checked in halves

namespace {

double MegabytesPerSecond(long long bytes, double seconds)
{
    return seconds > 0 ? bytes / 1e6 / seconds : 0;
}

// Wall clock and CPU time: on a machine shared with other work the CPU time
// tells the cost, the wall clock what a user waits.
void PrintLine(const char* what, long long bytes, double seconds, double cpuSeconds)
{
    std::printf("%-26s %7.2f s %8.1f MB/s   cpu %7.2f s %8.1f MB/s\n", what, seconds,
                MegabytesPerSecond(bytes, seconds), cpuSeconds, MegabytesPerSecond(bytes, cpuSeconds));
}

long long Generate(const std::string& path, long long rows)
{
    integritycsv::LogOptions options;
    options.rows = rows;
    options.columns = 6;
    std::vector<char> buffer(1 << 20);
    std::ofstream out;
    out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    out.open(path, std::ios::binary | std::ios::trunc);
    integritycsv::WriteIntegrityLog(out, options);
    out.close();
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    return out ? static_cast<long long>(in.tellg()) : -1;
}

// The best wall clock and the best CPU time of the runs (each apart: other
// work on the machine only ever adds to them), the first failing status.
ChildResult Best(const std::vector<ChildResult>& runs)
{
    ChildResult best = runs.front();
    for (const ChildResult& run : runs) {
        best.seconds = std::min(best.seconds, run.seconds);
        best.cpuSeconds = std::min(best.cpuSeconds, run.cpuSeconds);
        best.peakKiB = std::max(best.peakKiB, run.peakKiB);
        if (run.exitStatus != 0) best.exitStatus = run.exitStatus;
    }
    return best;
}

double Ratio(double baseline, double measured)
{
    return measured > 0 ? baseline / measured : 0;
}

constexpr double kCpuGoal = 1.5;   // times the loop's bytes per CPU second
constexpr double kWallGoal = 3.0;  // times the loop's speed, on two cores

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const long long rows = argc > 2 ? std::atoll(argv[2]) : 10000000;
    const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 3;
    const std::string path = folder + "/vettle-bench.csv";

    std::printf("generating %lld rows into %s\n", rows, path.c_str());
    const long long bytes = Generate(path, rows);
    if (bytes <= 0) {
        std::fprintf(stderr, "vettle-bench: cannot write %s\n", path.c_str());
        return 1;
    }
    std::printf("file size: %.1f MB\n", bytes / 1e6);

    RunChild({"/bin/cat", path});  // warms the page cache for every contender
    const ChildResult cat = RunChild({"/bin/sh", "-c", "cat \"$0\" > /dev/null", path});
    std::vector<ChildResult> loopRuns;
    std::vector<ChildResult> vettleRuns;
    for (int run = 0; run < runs; ++run) {
        loopRuns.push_back(RunChild({LINE_CRC_LOOP_PROGRAM, path}));
        vettleRuns.push_back(RunChild({VETTLE_PROGRAM, "-i", path}));
    }
    const ChildResult loop = Best(loopRuns);
    const ChildResult vettle = Best(vettleRuns);
    // The same log named twice: two checks side by side, one per core.
    const ChildResult twice = RunChild({VETTLE_PROGRAM, "-i", path, path});

    PrintLine("cat > /dev/null", bytes, cat.seconds, cat.cpuSeconds);
    PrintLine("memchr + zlib crc32 loop", bytes, loop.seconds, loop.cpuSeconds);
    PrintLine("vettle -i", bytes, vettle.seconds, vettle.cpuSeconds);
    PrintLine("vettle -i, 2 files at once", 2 * bytes, twice.seconds, twice.cpuSeconds);
    const double wallRatio = Ratio(loop.seconds, vettle.seconds);
    const double cpuRatio = Ratio(loop.cpuSeconds, vettle.cpuSeconds);
    std::printf("best of %d runs: loop %.2f s wall, %.2f s cpu; vettle %.2f s wall, %.2f s cpu\n", runs,
                loop.seconds, loop.cpuSeconds, vettle.seconds, vettle.cpuSeconds);
    std::printf("vettle against the loop: %.2f times its speed (wall clock), %.2f (cpu)\n", wallRatio,
                cpuRatio);
    // The wall clock goal holds for two cores the check has to itself. On a
    // busy machine the runs wait for the cores, the loop (one thread) less
    // than the two halves or more: the verdict then says it cannot be trusted,
    // and what two free cores would give by the CPU times (each half of a log
    // large enough to be halved doing half the work).
    double load[1] = {0};
    const bool haveLoad = getloadavg(load, 1) == 1;
    const unsigned cores = std::thread::hardware_concurrency();
    const bool busy = !haveLoad || load[0] > 0.5 || loop.seconds > 1.1 * loop.cpuSeconds;
    std::printf("goal cpu efficiency %.1fx: %s (%.2fx)\n", kCpuGoal, cpuRatio >= kCpuGoal ? "met" : "NOT met",
                cpuRatio);
    std::printf("goal wall clock %.1fx on 2 cores: %s (%.2fx; %u cores, load average %.2f%s)\n", kWallGoal,
                wallRatio >= kWallGoal ? "met" : "NOT met", wallRatio, cores, haveLoad ? load[0] : -1.0,
                busy ? ", machine busy: retake on idle cores" : "");
    if (busy && bytes >= vettle::kSplitMinimum) {
        std::printf(
            "  two free cores would give about %.2fx (the loop's CPU time against half the check's)\n",
            Ratio(loop.cpuSeconds, vettle.cpuSeconds / 2));
    }
    std::printf("peak memory: vettle %.1f MiB, 2 files at once %.1f MiB, loop %.1f MiB\n",
                vettle.peakKiB / 1024.0, twice.peakKiB / 1024.0, loop.peakKiB / 1024.0);
    const bool ok = vettle.exitStatus == 0 && twice.exitStatus == 0 && loop.exitStatus == 0;
    if (!ok)
        std::printf("exit statuses: vettle %d, 2 files %d, loop %d\n", vettle.exitStatus, twice.exitStatus,
                    loop.exitStatus);
    std::remove(path.c_str());
    return ok ? 0 : 1;
}
