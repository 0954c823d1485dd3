// A batch run over many small Vell datalogs (1,000 of 10,000 records by
// default) into one folder, with --jobs 1 and --jobs 2, beside the same
// records converted as one datalog. Prints wall and CPU time of each, the
// gain of the second job, and the cost of each file beside its conversion
// (the many-file run's time less the one datalog's, per file), against the
// goals: a gain of 1.8 times, under 5 ms per file. On a machine shared with
// other work the CPU time is the figure to trust; the load is printed.
//   bench_batch [files (default 1000)] [records per file (default 10000)] [work folder (default $TMPDIR or
//   /tmp)]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "VellSamples.h"
#include "bench/RunFigures.h"
#include "bench/ThreadGain.h"
#include "bench/vettle/ChildRun.h"

namespace {

namespace fs = std::filesystem;

constexpr uint16_t kTags = 8;
constexpr uint32_t kStart = 1774745990;
constexpr double kGainGoal = 1.8;
constexpr double kMillisecondsPerFileGoal = 5.0;

bool WriteDatalog(const fs::path& log, long records)
{
    fs::path tag = log;
    tag.replace_extension(".tag");
    return vellgen::WritePatternDatalog(log.string(), static_cast<int32_t>(records),
                                        static_cast<int32_t>(records / 3), kTags, kStart) &&
           vellgen::WriteFile(tag.string(), vellgen::BuildTagFile(vellgen::SampleTagNames(kTags)));
}

std::string LoadAverage()
{
    std::ifstream file("/proc/loadavg");
    std::string one, five, fifteen;
    file >> one >> five >> fifteen;
    return one + " " + five + " " + fifteen;
}

uint64_t FolderBytes(const fs::path& folder)
{
    uint64_t bytes = 0;
    for (const auto& entry : fs::directory_iterator(folder)) bytes += entry.file_size();
    return bytes;
}

// Every file of `a` has its twin of the same bytes in `b`.
bool SameFolders(const fs::path& a, const fs::path& b)
{
    size_t files = 0;
    for (const auto& entry : fs::directory_iterator(a)) {
        if (!SameFileBytes(entry.path().string(), (b / entry.path().filename()).string())) return false;
        ++files;
    }
    return files == static_cast<size_t>(std::distance(fs::directory_iterator(b), fs::directory_iterator()));
}

// The fastest of a few runs of `argv`, each into a fresh `outDir`.
ChildResult FastestInto(const fs::path& outDir, const std::vector<std::string>& argv)
{
    ChildResult best;
    for (int i = 0; i < kRunsPerFigure; ++i) {
        fs::remove_all(outDir);
        const ChildResult run = RunChild(argv);
        if (i == 0 || run.exitStatus != 0 || run.seconds < best.seconds) best = run;
        if (run.exitStatus != 0) break;
    }
    return best;
}

void Print(const char* label, const ChildResult& run, uint64_t outputBytes, uint64_t records)
{
    PrintRun(34, label, run, outputBytes, records);
}

const char* Verdict(bool met)
{
    return met ? "met" : "NOT met";
}

}  // namespace

int main(int argc, char** argv)
{
    const long files = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1000;
    const long records = argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 3 ? argv[3] : (tmp ? tmp : "/tmp")) / "bench-batch";
    if (files < 1 || files > 100'000 || records < 1 || files * records > 0x7FFFFFFF) {
        std::fprintf(stderr, "bench_batch: 1 to 100000 files of at least one record, 2^31 records in all\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    fs::create_directories(work / "in");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);

    std::vector<std::string> inputs;
    char name[32];
    for (long i = 0; i < files; ++i) {
        std::snprintf(name, sizeof name, "plant%05ld.log", i);
        inputs.push_back((work / "in" / name).string());
        if (!WriteDatalog(inputs.back(), records)) {
            std::fprintf(stderr, "bench_batch: cannot write the datalogs into %s\n", work.c_str());
            return 1;
        }
    }
    const fs::path whole = work / "whole.log";
    if (!WriteDatalog(whole, files * records)) {
        std::fprintf(stderr, "bench_batch: cannot write the datalogs into %s\n", work.c_str());
        return 1;
    }
    const uint64_t count = static_cast<uint64_t>(files * records);
    std::printf("Vell datalogs: %ld of %ld records, %.1f MB each, %d tags; load average %s\n", files, records,
                static_cast<double>(fs::file_size(inputs.front())) / 1e6, kTags, LoadAverage().c_str());

    const fs::path oneJob = work / "one-job";
    const fs::path twoJobs = work / "two-jobs";
    std::vector<std::string> run = {LOGORA_PROGRAM,  "/md",    "/tz0", "--out-dir",
                                    oneJob.string(), "--jobs", "1"};
    run.insert(run.end(), inputs.begin(), inputs.end());
    const ChildResult one = FastestInto(oneJob, run);
    const uint64_t outputBytes = FolderBytes(oneJob);
    Print("logora --out-dir --jobs 1", one, outputBytes, count);
    run[4] = twoJobs.string();
    run[6] = "2";
    const ChildResult two = FastestInto(twoJobs, run);
    Print("logora --out-dir --jobs 2", two, FolderBytes(twoJobs), count);
    const bool same = SameFolders(oneJob, twoJobs);
    fs::remove_all(twoJobs);
    fs::remove_all(oneJob);

    const std::string wholeCsv = (work / "whole.csv").string();
    const ChildResult wholeRun =
        FastestOf(kRunsPerFigure, {LOGORA_PROGRAM, "/md", "/tz0", whole.string(), wholeCsv});
    Print("the same records as one datalog", wholeRun, SizeOf(wholeCsv), count);
    fs::remove(wholeCsv);

    const double gain = one.seconds / two.seconds;
    const double cpuGain = two.cpuSeconds > 0 ? one.cpuSeconds / two.cpuSeconds : 0.0;
    std::printf(
        "  --jobs 2 beside --jobs 1: %.2f times by the wall clock (goal >= %.2f: %s), CPU time %.2f "
        "times; outputs %s\n",
        gain, kGainGoal, Verdict(gain >= kGainGoal), 1.0 / cpuGain, same ? "identical" : "DIFFERENT");
    const double perFile = (one.seconds - wholeRun.seconds) * 1e3 / static_cast<double>(files);
    const double cpuPerFile = (one.cpuSeconds - wholeRun.cpuSeconds) * 1e3 / static_cast<double>(files);
    std::printf(
        "  each file beside its conversion (--jobs 1 less one datalog): %.2f ms by the wall clock, "
        "%.2f ms of CPU time (goal < %.1f: %s)\n",
        perFile, cpuPerFile, kMillisecondsPerFileGoal,
        Verdict(perFile < kMillisecondsPerFileGoal && cpuPerFile < kMillisecondsPerFileGoal));
    std::printf("  load average after the runs: %s\n", LoadAverage().c_str());
    fs::remove_all(work);
    return one.exitStatus == 0 && two.exitStatus == 0 && wholeRun.exitStatus == 0 && same ? 0 : 1;
}
