// Benchmark of the tamper check: generates a data log of about 1 GB, then
// prints the seconds and MB/s of `vettle -i` on it beside `cat` of the same
// file and a plain loop that finds each line end with memchr and runs zlib's
// crc32 over the line, and vettle's peak memory.
//
// usage: vettle-bench [folder (/tmp)] [rows (10000000)]
#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

double ProcessCpuSeconds()
{
    struct rusage usage
    {
    };
    ::getrusage(RUSAGE_SELF, &usage);
    const auto toSeconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return toSeconds(usage.ru_utime) + toSeconds(usage.ru_stime);
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

// Reads the file in 1 MiB blocks and runs crc32 over every line; a line that
// crosses a block end is finished in the next block.
double PlainLoopSeconds(const std::string& path, unsigned long& checksumSum)
{
    const auto start = std::chrono::steady_clock::now();
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return -1;
    std::vector<char> block(1 << 20);
    uLong crc = crc32(0L, Z_NULL, 0);
    ssize_t got = 0;
    while ((got = ::read(fd, block.data(), block.size())) > 0) {
        const char* pos = block.data();
        const char* const end = block.data() + got;
        while (pos < end) {
            const char* lf = static_cast<const char*>(std::memchr(pos, '\n', static_cast<size_t>(end - pos)));
            const char* lineEnd = lf ? lf + 1 : end;
            crc = crc32(crc, reinterpret_cast<const Bytef*>(pos), static_cast<uInt>(lineEnd - pos));
            if (lf) {
                checksumSum += crc;
                crc = crc32(0L, Z_NULL, 0);
            }
            pos = lineEnd;
        }
    }
    ::close(fd);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
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
    unsigned long checksumSum = 0;
    const double cpuBefore = ProcessCpuSeconds();
    const double loop = PlainLoopSeconds(path, checksumSum);
    const double loopCpu = ProcessCpuSeconds() - cpuBefore;
    const ChildResult vettle = RunChild({VETTLE_PROGRAM, "-i", path});

    PrintLine("cat > /dev/null", bytes, cat.seconds, cat.cpuSeconds);
    PrintLine("memchr + crc32 per line", bytes, loop, loopCpu);
    PrintLine("vettle -i", bytes, vettle.seconds, vettle.cpuSeconds);
    std::printf("vettle exit status %d, peak memory %.1f MiB\n", vettle.exitStatus, vettle.peakKiB / 1024.0);
    std::printf("(loop checksum sum %lu)\n", checksumSum);
    std::remove(path.c_str());
    return vettle.exitStatus == 0 ? 0 : 1;
}
