// Batch conversion of a generated Vell datalog (20 million records, 320 MB by
// default) to CSV list form (on one thread and on all cores) and to table
// form, beside `cat` of the same bytes, `dd` of the list form's size, the
// conversion into the temporary table alone (beside `dd` of its size), beside the
// engine's way through a temporary table (whose CSV files the program's
// must equal byte for byte), and beside the list form of the same datalog
// without tag file. Prints records/s, MB/s of output (the CSV files, the
// table or dd's file; cat's output is its input) and peak memory of each run.
//   bench_vell [records (default 20000000)] [work folder (default $TMPDIR or /tmp)]
// bench_vell --scale [N (default 50000000)] [work folder] converts datalogs of
// N and 2N records to CSV list form alone, for time per record and peak
// memory, each the fastest of three runs (on a disk: the outputs take about
// 91 bytes a record).
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "VellSamples.h"
#include "bench/ScaleCheck.h"
#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/StartUp.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/vell/CConvertLogToDBF.h"

namespace {

namespace fs = std::filesystem;

struct Measured
{
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
    double cpuSeconds = 0;  // user + system: the machine's cores are shared
};

// Runs `work` in a child process (exit status 0 = success) and measures it.
Measured inChild(const std::function<int()>& work)
{
    Measured result;
    auto start = std::chrono::steady_clock::now();
    pid_t pid = fork();
    if (pid == 0) _exit(work());
    if (pid > 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        result.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
        auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
        result.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return result;
}

// A program with its standard output sent to /dev/null.
std::function<int()> program(std::vector<std::string> args)
{
    return [args] {
        std::vector<char*> argv;
        for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        execvp(argv[0], argv.data());
        return 127;
    };
}

void print(const char* label, const Measured& run, uint64_t outputBytes, uint64_t records)
{
    std::printf("%-36s %8.2f s %9.1f MB/s out %12.0f records/s  peak %7.1f MiB  cpu %7.2f s%s\n", label,
                run.seconds, static_cast<double>(outputBytes) / 1e6 / run.seconds,
                static_cast<double>(records) / run.seconds, run.peakMiB, run.cpuSeconds,
                run.ok ? "" : "  (FAILED)");
}

// Whether a run reached its goal of `goalMillions` records a second, beside
// the rate at which `dd` wrote the same bytes.
void printGoal(const char* label, const Measured& run, uint64_t records, double goalMillions,
               const Measured& dd)
{
    const double rate = static_cast<double>(records) / run.seconds / 1e6;
    const double ddRate = static_cast<double>(records) / dd.seconds / 1e6;
    std::printf("  %s: %.2f M records/s (goal >= %.1f: %s), %.0f %% of dd's %.2f M records/s\n", label, rate,
                goalMillions, rate >= goalMillions ? "met" : "NOT met", 100.0 * rate / ddRate, ddRate);
}

// The batch run's settings and switches, then the datalog converted into a
// temporary table and that table exported in both forms.
int exportThroughTable(const std::string& log, const std::string& listCsv, const std::string& tableCsv)
{
    using namespace logora;
    LoadAppOptions(ProgramAppSettings());
    CFileViewerCmdLineInfo info;
    info.Parse({"/md", "/tz0", log, listCsv});
    ApplyToRunState(info, ProgramRunState());
    ProgramRunState().EnterCommandLineMode();
    CDatReaderDoc document(ProgramContext());
    if (!document.ConvertAndLoad(log) || document.IsConversionIncomplete()) return 1;
    if (!document.ExportCSV(listCsv)) return 1;
    document.SetExportForm(CDatReaderDoc::kTableForm);
    return document.ExportCSV(tableCsv) ? 0 : 1;
}

// The ExportThreads setting of the runs to come (their settings file is the
// benchmark's own).
void setExportThreads(int threads)
{
    logora::AppSettings settings(logora::AppSettings::DefaultPath());
    settings.Load();
    settings.WriteProfileInt(logora::settings::kOptions, logora::settings::kExportThreads, threads);
}

uint64_t sizeOf(const std::string& path)
{
    std::error_code error;
    const uint64_t size = fs::file_size(path, error);
    return error ? 0 : size;
}

// "identical" when both files hold the same bytes.
const char* compareFiles(const std::string& a, const std::string& b)
{
    return inChild(program({"cmp", "-s", a, b})).ok ? "identical" : "DIFFERENT";
}

// Time per record and peak memory at N and 2N records.
int checkScale(long records, const fs::path& work)
{
    if (records < 1 || records > 0x7FFFFFFF / 2) {
        std::fprintf(stderr, "bench_vell: N must lie in 1 to 1073741823\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    const std::string log = (work / "plant.log").string();
    const std::string csv = (work / "plant.csv").string();
    const int status = RunScaleCheck(
        "logora /md /tz0 log out.csv", {LOGORA_PROGRAM, "/md", "/tz0", log, csv}, log, csv,
        static_cast<uint64_t>(records), [&](uint64_t count) {
            const int32_t size = static_cast<int32_t>(count);
            if (!vellgen::WritePatternDatalog(log, size, size / 3, 8, 1774745990) ||
                !vellgen::WriteFile((work / "plant.tag").string(),
                                    vellgen::BuildTagFile(vellgen::SampleTagNames(8)))) {
                std::fprintf(stderr, "bench_vell: cannot write the datalog into %s\n", work.c_str());
                return false;
            }
            std::printf("Vell datalog: %d records, %.1f MB, 8 tags, wrapped ring\n", size,
                        static_cast<double>(fs::file_size(log)) / 1e6);
            return true;
        });
    fs::remove_all(work);
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::string(argv[1]) == "--scale") {
        const char* tmp = std::getenv("TMPDIR");
        return checkScale(argc > 2 ? std::strtol(argv[2], nullptr, 10) : 50'000'000,
                          fs::path(argc > 3 ? argv[3] : (tmp ? tmp : "/tmp")) / "bench-vell-scale");
    }
    const long records = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 20'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-vell";
    if (records < 1 || records > 0x7FFFFFFF) {
        std::fprintf(stderr, "bench_vell: the record count must lie in 1 to 2147483647\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    // Settings of the run's own; every run reads time stamps as UTC.
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);

    const std::string log = (work / "plant.log").string();
    if (!vellgen::WritePatternDatalog(log, static_cast<int32_t>(records), static_cast<int32_t>(records / 3),
                                      8, 1774745990) ||
        !vellgen::WriteFile((work / "plant.tag").string(),
                            vellgen::BuildTagFile(vellgen::SampleTagNames(8)))) {
        std::fprintf(stderr, "bench_vell: cannot write the datalog into %s\n", work.c_str());
        return 1;
    }
    const uint64_t bytes = fs::file_size(log);
    const uint64_t count = static_cast<uint64_t>(records);
    std::printf("Vell datalog: %ld records, %.1f MB, 8 tags, wrapped ring\n", records,
                static_cast<double>(bytes) / 1e6);

    print("cat", inChild(program({"cat", log})), bytes, count);
    const std::string table = (work / "table.dbf").string();
    const Measured tableRun = inChild([&] {
        logora::CConvertLogToDBF converter(logora::ProgramContext());
        try {
            converter.Open(log);
            logora::ConvertToTableFile(converter, table, logora::ProgramContext().run.MappingErrors());
            return 0;
        } catch (const logora::ConversionError&) {
            return 1;
        }
    });
    print("conversion into the table (engine)", tableRun, sizeOf(table), count);
    // Writing that many bytes at all: the bound the conversion meets.
    const std::string tableMegabytes = std::to_string((sizeOf(table) + (1 << 20) - 1) >> 20);
    fs::remove(table);
    const Measured tableDd = inChild(
        program({"dd", "if=/dev/zero", "of=" + table, "bs=1M", "count=" + tableMegabytes, "status=none"}));
    print("dd of the table's size", tableDd, sizeOf(table), count);
    fs::remove(table);
    const std::string usualList = (work / "usual-list.csv").string();
    const std::string usualTable = (work / "usual-table.csv").string();
    const Measured usual = inChild([&] { return exportThroughTable(log, usualList, usualTable); });
    print("engine: table, then both CSV forms", usual, sizeOf(usualList) + sizeOf(usualTable), count);

    const std::string csv = (work / "plant.csv").string();
    const std::string oneThreadCsv = (work / "one-thread.csv").string();
    setExportThreads(1);
    const Measured oneThread = inChild(program({LOGORA_PROGRAM, "/md", "/tz0", log, oneThreadCsv}));
    print("logora /md /tz0: list form, 1 thread", oneThread, sizeOf(oneThreadCsv), count);
    setExportThreads(0);
    const Measured allCores = inChild(program({LOGORA_PROGRAM, "/md", "/tz0", log, csv}));
    print("logora /md /tz0: list form, all cores", allCores, sizeOf(csv), count);
    std::printf("%-36s %s\n", "  beside the engine's list form:", compareFiles(csv, usualList));
    std::printf("%-36s %s\n", "  beside one thread:", compareFiles(csv, oneThreadCsv));
    const uint64_t csvBytes = fs::file_size(csv);
    fs::remove(csv);
    fs::remove(oneThreadCsv);
    fs::remove(usualList);
    const std::string megabytes = std::to_string((csvBytes + (1 << 20) - 1) >> 20);
    const Measured dd =
        inChild(program({"dd", "if=/dev/zero", "of=" + csv, "bs=1M", "count=" + megabytes, "status=none"}));
    print("dd of the list form's size", dd, sizeOf(csv), count);
    fs::remove(csv);
    printGoal("list form on all cores", allCores, count, 16.0, dd);
    const Measured tableForm = inChild(program({LOGORA_PROGRAM, "/md", "/tz0", "/table", log, csv}));
    print("logora /md /tz0 /table: table form", tableForm, sizeOf(csv), count);
    printGoal("table form on all cores", tableForm, count, 8.0, dd);
    std::printf("%-36s %s\n", "  beside the engine's table form:", compareFiles(csv, usualTable));
    fs::remove(csv);
    fs::remove(usualTable);

    // The same datalog without its tag file: 40-byte table records instead
    // of 285, which shows how much of the time goes into the table's bytes.
    fs::remove(work / "plant.tag");
    const Measured untagged = inChild(program({LOGORA_PROGRAM, "/md", "/tz0", log, csv}));
    print("logora /md /tz0 without tag file", untagged, sizeOf(csv), count);
    fs::remove_all(work);
    return 0;
}
