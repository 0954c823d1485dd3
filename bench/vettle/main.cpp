// Benchmark of the tamper check: generates a data log of about 1 GB, then
// prints the seconds and MB/s of `vettle -i` on it (alone, and twice side by
// side) beside `cat` of the same file and a plain loop that finds each line
// end with memchr and runs zlib's crc32 over the line, and peak memories.
//
// usage: vettle-bench [folder (/tmp)] [rows (10000000)]
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/vettle/ChildRun.h"
#include "tools/integrity-csv/IntegrityLogWriter.h"

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

}  // namespace

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : "/tmp";
    const long long rows = argc > 2 ? std::atoll(argv[2]) : 10000000;
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
    const ChildResult loop = RunChild({LINE_CRC_LOOP_PROGRAM, path});
    const ChildResult vettle = RunChild({VETTLE_PROGRAM, "-i", path});
    // The same log named twice: two checks side by side, one per core.
    const ChildResult twice = RunChild({VETTLE_PROGRAM, "-i", path, path});

    PrintLine("cat > /dev/null", bytes, cat.seconds, cat.cpuSeconds);
    PrintLine("memchr + zlib crc32 loop", bytes, loop.seconds, loop.cpuSeconds);
    PrintLine("vettle -i", bytes, vettle.seconds, vettle.cpuSeconds);
    PrintLine("vettle -i, 2 files at once", 2 * bytes, twice.seconds, twice.cpuSeconds);
    std::printf("vettle against the loop: %.2f times its speed (wall clock), %.2f (cpu)\n",
                vettle.seconds > 0 ? loop.seconds / vettle.seconds : 0,
                vettle.cpuSeconds > 0 ? loop.cpuSeconds / vettle.cpuSeconds : 0);
    std::printf("peak memory: vettle %.1f MiB, 2 files at once %.1f MiB, loop %.1f MiB\n",
                vettle.peakKiB / 1024.0, twice.peakKiB / 1024.0, loop.peakKiB / 1024.0);
    const bool ok = vettle.exitStatus == 0 && twice.exitStatus == 0 && loop.exitStatus == 0;
    if (!ok)
        std::printf("exit statuses: vettle %d, 2 files %d, loop %d\n", vettle.exitStatus, twice.exitStatus,
                    loop.exitStatus);
    std::remove(path.c_str());
    return ok ? 0 : 1;
}
