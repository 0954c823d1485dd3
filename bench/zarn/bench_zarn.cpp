// Batch conversion of a generated Zarn datalog to CSV list form (straight
// from the merge) on one thread and on all cores, beside `cat` of the data
// file and `dd` of the CSV's size, and beside the list-form export of the already merged table, whose
// CSV file the batch's must equal. Prints the seconds, MB/s of output,
// records/s, peak memory and CPU time of each run.
//   bench_zarn [records (default 5000000)] [work folder (default $TMPDIR or /tmp)]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/RunFigures.h"
#include "bench/ThreadGain.h"
#include "bench/WriteLimit.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/zarn/CTagNameMerger.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace {

namespace fs = std::filesystem;

void Print(const char* label, const ChildResult& run, uint64_t outputBytes, uint64_t records)
{
    PrintRun(34, label, run, outputBytes, records);
}

}  // namespace

int main(int argc, char** argv)
{
    const uint64_t records = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 5'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-zarn";
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);

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
    Print("cat of the data file", RunChild({"/bin/cat", dataPath}), inputBytes, records);

    const std::string csvPath = (work / "batch.csv").string();
    const ThreadRuns batch = RunOnOneThreadAndAllCores({LOGORA_EXE, "/sd", dataPath, csvPath}, csvPath,
                                                       (work / "one-thread.csv").string());
    Print("logora /sd data.DAT out.csv, 1 thread", batch.oneThread, SizeOf(csvPath), records);
    Print("  the same on all cores", batch.allCores, SizeOf(csvPath), records);
    PrintGain(batch);
    const ChildResult dd = DdOfSize((work / "dd.out").string(), SizeOf(csvPath));
    Print("dd of the CSV's size", dd, SizeOf(csvPath), records);
    PrintAllCoresGoal(batch, records, 12.0, dd);

    // The already merged table, exported the same way.
    const std::string mergedPath = (work / "merged.dbf").string();
    {
        logora::CTagNameMerger merger;
        if (!merger.Open(dataPath)) return 1;
        logora::ConvertToTableFile(merger, mergedPath, {});
    }
    const std::string mergedCsvPath = (work / "merged.csv").string();
    const ChildResult exported = RunChild({LOGORA_EXE, "/dbf", mergedPath, mergedCsvPath});
    fs::remove(mergedPath);
    Print("logora /dbf merged.dbf out.csv", exported, SizeOf(mergedCsvPath), records);

    std::printf("batch on one thread %.2f M records/s (goal >= 2.00), peak %.1f MiB (goal < 64)\n",
                double(records) / 1e6 / batch.oneThread.seconds, double(batch.oneThread.peakKiB) / 1024.0);
    std::printf("output %.1f MB, identical to the merged export: %s\n", double(SizeOf(csvPath)) / 1e6,
                SameFileBytes(csvPath, mergedCsvPath) ? "yes" : "no");
    fs::remove_all(work);
    const bool ok =
        batch.oneThread.exitStatus == 0 && batch.allCores.exitStatus == 0 && exported.exitStatus == 0;
    return ok ? 0 : 1;
}
