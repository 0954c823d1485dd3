// Batch conversion of a generated Zarn datalog to CSV list form (straight
// from the merge), beside `cat` of the data file and beside the list-form
// export of the already merged table, whose CSV file the batch's must equal.
// Prints the seconds, MB/s of output, records/s and peak memory of each run.
//   bench_zarn [records (default 5000000)] [work folder (default $TMPDIR or /tmp)]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include "logora/engine/zarn/CTagNameMerger.h"
#include "tools/zarn-gen/ZarnGen.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

struct RunResult
{
    bool ok = false;
    double seconds = 0;
    double peakMiB = 0;
};

// Runs `args` with standard output to `stdoutPath`, timing it and reading its peak resident size.
RunResult Spawn(const std::vector<std::string>& args, const std::string& stdoutPath = "/dev/null")
{
    std::vector<char*> argv;
    for (const auto& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, stdoutPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    RunResult result;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
        int status = 0;
        rusage usage{};
        wait4(pid, &status, 0, &usage);
        result.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        result.peakMiB = double(usage.ru_maxrss) / 1024.0;
    }
    result.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    posix_spawn_file_actions_destroy(&actions);
    return result;
}

// `output` is the file the run wrote; its size gives the MB/s.
void Print(const char* label, const RunResult& run, const fs::path& output, uint64_t records)
{
    std::error_code error;
    const uint64_t bytes = fs::file_size(output, error);
    std::printf("%-34s %8.2f s %9.1f MB/s out %12.0f records/s  peak %7.1f MiB%s\n", label, run.seconds,
                error ? 0.0 : double(bytes) / 1e6 / run.seconds, double(records) / run.seconds, run.peakMiB,
                run.ok ? "" : "  (FAILED)");
}

bool SameBytes(const fs::path& a, const fs::path& b)
{
    std::ifstream first(a, std::ios::binary);
    std::ifstream second(b, std::ios::binary);
    return fs::file_size(a) == fs::file_size(b) &&
           std::equal(std::istreambuf_iterator<char>(first), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(second));
}

}  // namespace

int main(int argc, char** argv)
{
    const uint64_t records = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 5'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-zarn";
    fs::remove_all(work);
    fs::create_directories(work);

    std::string error;
    const logora::zarngen::ZarnSampleSpec spec{records, 20, false};
    const std::string dataPath = logora::zarngen::WriteZarnDatalog(work.string(), "Plant", spec, error);
    if (dataPath.empty()) {
        std::fprintf(stderr, "bench_zarn: %s\n", error.c_str());
        return 1;
    }
    const uint64_t inputBytes = fs::file_size(dataPath);
    std::printf("Zarn datalog: %llu records, %llu tags, %.1f MB\n", (unsigned long long)records,
                (unsigned long long)spec.tagCount, double(inputBytes) / 1e6);

    const std::string catPath = (work / "cat.out").string();
    const RunResult cat = Spawn({"cat", dataPath}, catPath);
    Print("cat of the data file", cat, catPath, records);
    fs::remove(catPath);

    const std::string csvPath = (work / "batch.csv").string();
    const RunResult batch = Spawn({LOGORA_EXE, "/sd", dataPath, csvPath});
    Print("logora /sd data.DAT out.csv", batch, csvPath, records);

    // The already merged table, exported the same way.
    const std::string mergedPath = (work / "merged.dbf").string();
    {
        logora::CTagNameMerger merger;
        if (!merger.Open(dataPath) || !merger.CreateOutput(mergedPath)) return 1;
        merger.Convert();
    }
    const std::string mergedCsvPath = (work / "merged.csv").string();
    const RunResult exported = Spawn({LOGORA_EXE, "/dbf", mergedPath, mergedCsvPath});
    fs::remove(mergedPath);
    Print("logora /dbf merged.dbf out.csv", exported, mergedCsvPath, records);

    std::printf("batch %.2f M records/s (goal >= 2.00), peak %.1f MiB (goal < 64)\n",
                double(records) / 1e6 / batch.seconds, batch.peakMiB);
    std::printf("output %.1f MB, identical to the merged export: %s\n", double(fs::file_size(csvPath)) / 1e6,
                SameBytes(csvPath, mergedCsvPath) ? "yes" : "no");
    fs::remove_all(work);
    return batch.ok && exported.ok ? 0 : 1;
}
