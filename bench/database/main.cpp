// Batch conversion of a generated Vell datalog (5 million records by default,
// with its tag file) into an SQLite database, beside the sqlite3 shell's
// .import of the CSV list form the program writes of the same datalog (all
// text, no index), and that CSV's own conversion. Prints records/s, MB/s of
// output and peak memory of each run, and the database's speed against the
// import (goal: at least twice as fast).
//   bench_database [records (default 5000000)] [work folder (default $TMPDIR or /tmp)]
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "VellSamples.h"
#include "bench/RunFigures.h"
#include "bench/vettle/ChildRun.h"

namespace {

namespace fs = std::filesystem;

constexpr int kLabelWidth = 34;
constexpr uint16_t kTags = 8;

}  // namespace

int main(int argc, char** argv)
{
    const long records = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5'000'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-database";
    if (records < 1 || records > 0x7FFFFFFF) {
        std::fprintf(stderr, "bench_database: the record count must lie in 1 to 2147483647\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work / "config");
    setenv("XDG_CONFIG_HOME", (work / "config").c_str(), 1);
    const std::string log = (work / "plant.log").string();
    if (!vellgen::WritePatternDatalog(log, static_cast<int32_t>(records), static_cast<int32_t>(records / 3),
                                      kTags, 1774745990) ||
        !vellgen::WriteFile((work / "plant.tag").string(),
                            vellgen::BuildTagFile(vellgen::SampleTagNames(kTags)))) {
        std::fprintf(stderr, "bench_database: cannot write the datalog into %s\n", work.c_str());
        return 1;
    }
    const uint64_t count = static_cast<uint64_t>(records);
    std::printf("Vell datalog: %ld records, %.1f MB, %d tags\n", records,
                static_cast<double>(SizeOf(log)) / 1e6, kTags);

    const std::string csv = (work / "plant.csv").string();
    const ChildResult toCsv = RunChild({LOGORA_PROGRAM, "--quiet", log, csv});
    PrintRun(kLabelWidth, "logora plant.log plant.csv", toCsv, SizeOf(csv), count);
    const std::string imported = (work / "imported.db").string();
    // Its complaint about each line's empty field after the last comma goes
    // to /dev/null.
    const ChildResult import = RunChild(
        {"/bin/sh", "-c", "exec /usr/bin/sqlite3 \"$0\" '.mode csv' \".import $1 plant\" 2>/dev/null",
         imported, csv});
    PrintRun(kLabelWidth, "sqlite3 .import plant.csv", import, SizeOf(imported), count);
    fs::remove(imported);
    fs::remove(csv);

    const std::string database = (work / "plant.sqlite").string();
    const ChildResult toDatabase = RunChild({LOGORA_PROGRAM, "--quiet", log, database});
    PrintRun(kLabelWidth, "logora plant.log plant.sqlite", toDatabase, SizeOf(database), count);
    if (toDatabase.exitStatus == 0 && import.exitStatus == 0) {
        std::printf(
            "\nthe database %.2fx as fast as the import by wall clock, %.2fx by CPU time (goal >= 2)\n",
            import.seconds / toDatabase.seconds, import.cpuSeconds / toDatabase.cpuSeconds);
    }
    fs::remove_all(work);
    return toDatabase.exitStatus == 0 && import.exitStatus == 0 ? 0 : 1;
}
