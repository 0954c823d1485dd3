// Batch conversion of a generated alarm log (2 million records of the Win32
// 6.xx layout by default, then twice as many) with a setup file of 5,000
// triggers and 20,000 messages to CSV, beside `cat` of the log and beside the
// conversion into a table alone; the CSV export on one thread, then on all
// cores. Prints records/s, MB/s of output (the CSV file or the table; cat's
// output is its input) and peak memory.
//   bench_alarm [records (default 2000000)] [work folder (default $TMPDIR or /tmp)]
// (bench_alarm --table <log> <setup> <table> is the table conversion alone,
// run as a child; bench_alarm --samples <log> <setup> <records> writes the
// inputs, for a profile of one run; bench_alarm --scale [N (default
// 10000000)] [work folder] converts logs of N and 2N records to CSV alone,
// for time per record and peak memory, each the fastest of three runs.)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "SampleSet.h"
#include "bench/BenchGoal.h"
#include "bench/RunFigures.h"
#include "bench/ScaleCheck.h"
#include "bench/ThreadGain.h"
#include "bench/WriteLimit.h"
#include "bench/vettle/ChildRun.h"
#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/run/ConsoleProgress.h"

namespace {

namespace fs = std::filesystem;

constexpr int kVersion = 6;
constexpr int32_t kTriggers = 5000;
constexpr int32_t kMessagesPerTrigger = 4;

alarmgen::SampleSetup LargeSetup()
{
    alarmgen::SampleSetup setup;
    setup.version = kVersion;
    for (int32_t t = 0; t < kTriggers; ++t)
        setup.tagNames.push_back("Line" + std::to_string(t % 40) + ".Tag" + std::to_string(t));
    for (int32_t t = 0; t < kTriggers; ++t)
        for (int32_t v = 0; v < kMessagesPerTrigger; ++v)
            setup.messages.push_back(
                {t, std::to_string(v), "Alarm " + std::to_string(t) + " level " + std::to_string(v)});
    return setup;
}

// Writes the log in pieces so the generator's memory stays small.
bool WriteLog(const std::string& path, long records)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    std::vector<uint8_t> chunk = alarmgen::BuildAlarmLog(kVersion, {});
    uint32_t state = 12345;
    for (long i = 0; i < records; ++i) {
        state = state * 1103515245u + 12345u;
        alarmgen::SampleAlarm alarm;
        alarm.triggerIndex = static_cast<int32_t>((state >> 8) % kTriggers);
        alarm.triggerValue = static_cast<int32_t>((state >> 4) % kMessagesPerTrigger);
        alarm.eventIndex = static_cast<int32_t>(i + 1);
        alarm.allTriggerMessage = (i & 7) == 0;
        alarm.active = (i & 1) == 0;
        alarm.timeOn = 1709280000 + i * 3;
        alarm.timeAcknowledged = (i & 3) == 3 ? 0 : alarm.timeOn + 20;
        alarmgen::AppendAlarmRecord(chunk, kVersion, alarm);
        if (chunk.size() >= (1 << 20)) {
            out.write(reinterpret_cast<const char*>(chunk.data()),
                      static_cast<std::streamsize>(chunk.size()));
            chunk.clear();
        }
    }
    out.write(reinterpret_cast<const char*>(chunk.data()), static_cast<std::streamsize>(chunk.size()));
    return static_cast<bool>(out);
}

int ConvertToTable(const std::string& log, const std::string& setup, const std::string& table)
{
    logora::CConvertAlmToDBF converter(logora::ProgramContext(), kVersion, setup);
    try {
        converter.Open(log);
        logora::ConsoleProgress quiet;
        logora::CDBF output;
        if (!converter.IsSetupLoaded() || !output.Create(table)) return 1;
        converter.Declare(output);
        converter.Run(output, quiet);
        return 0;
    } catch (const logora::ConversionError&) {
        return 1;
    }
}

void Print(const char* label, const ChildResult& run, uint64_t outputBytes, uint64_t records)
{
    PrintRun(40, label, run, outputBytes, records);
}

// Time per record and peak memory at N and 2N records.
int CheckScale(long records, const fs::path& work)
{
    if (records < 1 || records > 50'000'000) {
        std::fprintf(stderr, "bench_alarm: N must lie in 1 to 50000000\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    const std::string setup = (work / "MachineAlarms.mal").string();
    const std::string log = (work / "history.alm").string();
    const std::string csv = (work / "history.csv").string();
    if (!alarmgen::WriteSetupFile(setup, LargeSetup())) {
        std::fprintf(stderr, "bench_alarm: cannot write the samples into %s\n", work.c_str());
        return 1;
    }
    const int status = RunScaleCheck(
        "logora /ma /6xx log setup out.csv", {LOGORA_PROGRAM, "/ma", "/6xx", log, setup, csv}, log, csv,
        static_cast<uint64_t>(records), [&](uint64_t count) {
            if (!WriteLog(log, static_cast<long>(count))) {
                std::fprintf(stderr, "bench_alarm: cannot write the samples into %s\n", work.c_str());
                return false;
            }
            std::printf("Alarm log: %llu records (6.xx layout), %.1f MB; setup: %d triggers, %d messages\n",
                        static_cast<unsigned long long>(count), static_cast<double>(fs::file_size(log)) / 1e6,
                        kTriggers, kTriggers * kMessagesPerTrigger);
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
        return CheckScale(argc > 2 ? std::strtol(argv[2], nullptr, 10) : 10'000'000,
                          fs::path(argc > 3 ? argv[3] : (tmp ? tmp : "/tmp")) / "bench-alarm-scale");
    }
    if (argc == 5 && std::string(argv[1]) == "--table") return ConvertToTable(argv[2], argv[3], argv[4]);
    if (argc == 5 && std::string(argv[1]) == "--samples")
        return WriteLog(argv[2], std::strtol(argv[4], nullptr, 10)) &&
                       alarmgen::WriteSetupFile(argv[3], LargeSetup())
                   ? 0
                   : 1;

    const long records = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-alarm";
    if (records < 1 || records > 100'000'000) {
        std::fprintf(stderr, "bench_alarm: the record count must lie in 1 to 100000000\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);

    const std::string setup = (work / "MachineAlarms.mal").string();
    if (!alarmgen::WriteSetupFile(setup, LargeSetup())) {
        std::fprintf(stderr, "bench_alarm: cannot write the samples into %s\n", work.c_str());
        return 1;
    }
    // The same log at twice the size: records/s that hold show a linear run.
    for (const long size : {records, 2 * records}) {
        const std::string log = (work / "history.alm").string();
        if (!WriteLog(log, size)) {
            std::fprintf(stderr, "bench_alarm: cannot write the samples into %s\n", work.c_str());
            return 1;
        }
        const uint64_t bytes = fs::file_size(log);
        const uint64_t count = static_cast<uint64_t>(size);
        std::printf("Alarm log: %ld records (6.xx layout), %.1f MB; setup: %d triggers, %d messages\n", size,
                    static_cast<double>(bytes) / 1e6, kTriggers, kTriggers * kMessagesPerTrigger);

        Print("cat", RunChild({"/bin/cat", log}), bytes, count);
        const std::string table = (work / "table.dbf").string();
        const ChildResult tableRun = RunChild({"/proc/self/exe", "--table", log, setup, table});
        Print("conversion into the table (engine)", tableRun, SizeOf(table), count);
        fs::remove(table);
        const std::string csv = (work / "history.csv").string();
        const ThreadRuns runs =
            RunOnOneThreadAndAllCores({LOGORA_PROGRAM, "/ma", "/6xx", log, setup, csv}, csv, csv + ".one");
        Print("logora /ma /6xx log setup out.csv, 1 thread", runs.oneThread, SizeOf(csv), count);
        PrintGoal(runs.oneThread, count);
        Print("  the same on all cores", runs.allCores, SizeOf(csv), count);
        PrintGain(runs);
        const ChildResult dd = DdOfSize((work / "dd.out").string(), SizeOf(csv));
        Print("dd of the CSV's size", dd, SizeOf(csv), count);
        PrintAllCoresGoal(runs, count, 12.0, dd);
        fs::remove(csv);
    }
    fs::remove_all(work);
    return 0;
}
