// Export benchmark: makes a datalog-shaped table of N records (default 5
// million) and a plain-text copy of it, then measures, each in its own
// process: the list-form CSV export on one thread and on one per core (and
// that both wrote the same bytes), the table-form export, `cat` of the
// table, `dd` of the list form's size to a file, and
// the peers `dbview -b -t -d,` and `ogr2ogr -f CSV` on the plain copy when
// they are installed. Prints seconds, MB/s of table input and peak memory.
//
//   bench_export [records] [folder]

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "DatalogTable.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/export/ExportThreads.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "platform/paths/Paths.h"

namespace {

struct Measure
{
    double seconds = 0;
    double cpuSeconds = 0;
    double peakMiB = 0;
    bool ok = false;
};

// Runs `argv` with standard output going to `output` and measures it.
Measure Run(const std::vector<std::string>& argv, const char* output = "/dev/null")
{
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    auto start = std::chrono::steady_clock::now();
    pid_t child = fork();
    if (child == 0) {
        int out = open(output, O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 2);
        execvp(args[0], args.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    Measure m;
    m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    m.peakMiB = usage.ru_maxrss / 1024.0;
    m.cpuSeconds = usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
                   usage.ru_stime.tv_usec / 1e6;
    m.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return m;
}

bool Installed(const char* program)
{
    const char* path = std::getenv("PATH");
    std::string folders = path != nullptr ? path : "/usr/bin:/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        std::string candidate = folders.substr(start, end - start) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

void Print(const char* name, const Measure& m, uint64_t inputBytes, uint64_t outputBytes)
{
    double mb = inputBytes / 1e6;
    std::printf("%-26s %7.2f s %8.1f MB/s  cpu %6.2f s %8.1f MB/s  peak %6.1f MiB  output %7.1f MB%s\n", name,
                m.seconds, m.seconds > 0 ? mb / m.seconds : 0.0, m.cpuSeconds,
                m.cpuSeconds > 0 ? mb / m.cpuSeconds : 0.0, m.peakMiB, outputBytes / 1e6,
                m.ok ? "" : "  (FAILED)");
}

// Bytes of a file, or of every file below a folder (ogr2ogr may write one).
uint64_t SizeOf(const std::string& path)
{
    std::error_code error;
    if (!std::filesystem::is_directory(path, error)) {
        uint64_t size = std::filesystem::file_size(path, error);
        return error ? 0 : size;
    }
    uint64_t total = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(path, error))
        if (entry.is_regular_file(error)) total += entry.file_size(error);
    return total;
}

// Child mode: one export, exit code 0 when it completed.
int ExportOnce(const std::string& form, unsigned threads, const std::string& source,
               const std::string& target)
{
    logora::CConvertDBFToCSV exporter(logora::ProgramContext(), 17, 8);
    exporter.SetFormatThreads(threads);
    if (!exporter.OpenSource(source) || !exporter.CreateOutput(target)) return 1;
    exporter.TagList() = dbfgen::DatalogTags();
    logora::ConsoleProgress progress;
    bool done = form == "table" ? exporter.ExportTable(progress) : exporter.ExportList(progress);
    return done ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 6 && std::strcmp(argv[1], "--export") == 0) {
        return ExportOnce(argv[2], static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)), argv[4],
                          argv[5]);
    }

    uint32_t records = argc > 1 ? static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 10)) : 5000000u;
    std::string folder = argc > 2 ? argv[2] : platform::TempFolder();
    std::string work = platform::JoinPath(folder, "bench-export-" + std::to_string(getpid()));
    std::filesystem::create_directories(work);
    std::string raw = work + "/datalog.dbf";
    std::string plain = work + "/datalog-plain.dbf";
    std::string self = platform::ExecutablePath();

    auto made = std::chrono::steady_clock::now();
    if (!dbfgen::WriteDatalogTable(raw, records, dbfgen::ValueColumn::RawDouble) ||
        !dbfgen::WriteDatalogTable(plain, records, dbfgen::ValueColumn::PlainText)) {
        std::fprintf(stderr, "bench_export: cannot write the tables in %s\n", work.c_str());
        return 1;
    }
    double makeSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - made).count();
    uint64_t rawBytes = SizeOf(raw);
    uint64_t plainBytes = SizeOf(plain);
    std::printf("%u records: table %.1f MB (raw Value), plain copy %.1f MB (Value F 17.8); made in %.1f s\n",
                records, rawBytes / 1e6, plainBytes / 1e6, makeSeconds);
    std::printf(
        "MB/s = table bytes read per second (1 MB = 10^6 bytes), by wall clock and by the\n"
        "process's own CPU time (user + system), which a busy machine distorts less\n\n");

    // Warm the page cache so every run reads from memory.
    Run({"cat", raw});
    Run({"cat", plain});

    std::string csv = work + "/out.csv";
    std::string oneThreadCsv = work + "/one-thread.csv";
    const std::string cores = std::to_string(logora::ExportThreadsFor(0));
    Measure oneThread = Run({self, "--export", "list", "1", raw, oneThreadCsv});
    Print("list form, one thread", oneThread, rawBytes, SizeOf(oneThreadCsv));
    Measure list = Run({self, "--export", "list", cores, raw, csv});
    Print(("list form, " + cores + " threads").c_str(), list, rawBytes, SizeOf(csv));
    const uint64_t csvBytes = SizeOf(csv);
    std::printf("%-26s %s\n",
                "  beside one thread:", Run({"cmp", "-s", csv, oneThreadCsv}).ok ? "identical" : "DIFFERENT");
    std::filesystem::remove(csv);  // each run writes a new file, as dbview and ogr2ogr do
    std::filesystem::remove(oneThreadCsv);
    Measure table = Run({self, "--export", "table", cores, raw, csv});
    Print("table form export", table, rawBytes, SizeOf(csv));
    std::filesystem::remove(csv);
    const std::string megabytes = std::to_string((csvBytes + (1 << 20) - 1) >> 20);
    const Measure dd = Run({"dd", "if=/dev/zero", "of=" + csv, "bs=1M", "count=" + megabytes, "status=none"});
    Print("dd of the list form's size", dd, rawBytes, SizeOf(csv));
    std::filesystem::remove(csv);
    Print("cat table > /dev/null", Run({"cat", raw}), rawBytes, 0);

    Measure dbview;
    if (Installed("dbview")) {
        dbview = Run({"dbview", "-b", "-t", "-d,", plain}, csv.c_str());
        Print("dbview -b -t -d, (plain)", dbview, plainBytes, SizeOf(csv));
        std::filesystem::remove(csv);
    } else {
        std::printf("dbview: not installed\n");
    }
    if (Installed("ogr2ogr")) {
        std::string ogrOut = work + "/ogr.csv";
        Measure ogr = Run({"ogr2ogr", "-f", "CSV", ogrOut, plain});  // before its output is sized
        Print("ogr2ogr -f CSV (plain)", ogr, plainBytes, SizeOf(ogrOut));
        std::filesystem::remove_all(ogrOut);
    } else {
        std::printf("ogr2ogr: not installed\n");
    }

    if (dbview.ok && list.ok && dbview.seconds > 0 && dbview.cpuSeconds > 0) {
        double wallRatio = (rawBytes / list.seconds) / (plainBytes / dbview.seconds);
        double cpuRatio = (rawBytes / list.cpuSeconds) / (plainBytes / dbview.cpuSeconds);
        std::printf(
            "\nlist form vs dbview: %.2fx (wall clock), %.2fx (CPU time) the input throughput (goal >= 5x);"
            "\nlist form peak %.1f MiB (goal < 32 MiB); %.2fx the speed of one thread\n",
            wallRatio, cpuRatio, list.peakMiB, oneThread.seconds / list.seconds);
    }
    std::filesystem::remove_all(work);
    return list.ok && oneThread.ok && table.ok ? 0 : 1;
}
