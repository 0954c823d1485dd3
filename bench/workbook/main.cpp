// Workbook benchmark: datalog rows (Date, Time, Millitm, Tag, Status, Value;
// 600,000 by default, then twice as many, past a sheet's limit) written as a
// workbook by our writer and by python3-xlsxwriter, both in constant-memory
// mode with the same formats and sheets; then the same records as a datalog
// table converted by logora to a workbook and to list-form CSV. Each runs in
// its own process. Prints records/s, MB/s of output and peak memory.
//   bench_workbook [records] [work folder (default $TMPDIR or /tmp)]
// (bench_workbook --ours <records> <path> is our writer's run, as a child.)
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "DatalogTable.h"
#include "bench/RunFigures.h"
#include "bench/vettle/ChildRun.h"
#include "logora/engine/workbook/WorkbookWriter.h"

namespace {

namespace fs = std::filesystem;
using namespace logora;

constexpr int kTags = 10;
constexpr int kLabelWidth = 34;

// The rows of dbfgen::WriteDatalogTable: ten tags per time stamp, four time
// stamps a second from 31 December 2024.
int WriteOurs(long records, const std::string& path)
{
    RowLayout layout;
    layout.columns = {{"Date", CellKind::Date, 0, ColumnRole::Date},
                      {"Time", CellKind::Time, 0, ColumnRole::Time},
                      {"Millitm", CellKind::Integer, 0, ColumnRole::Millitm},
                      {"Tag", CellKind::Text, 0, ColumnRole::Tag},
                      {"Status", CellKind::Text, 0, ColumnRole::Other},
                      {"Value", CellKind::Number, 8, ColumnRole::Value}};
    std::vector<std::string> tags;
    for (int tag = 0; tag < kTags; ++tag) tags.push_back("Tag" + std::to_string(tag));
    WorkbookWriter writer;
    std::vector<RowCell> cells(layout.columns.size());
    for (RowCell& cell : cells) cell.empty = false;
    cells[4].text = "0";
    bool written = writer.Prepare(path) && writer.BeginRows(layout);
    for (long i = 0; written && i < records; ++i) {
        const long group = i / kTags;
        const long second = group / 4;
        const long day = second / 86400;
        cells[0].when = day == 0 ? CivilTime{2024, 12, 31} : CivilTime{2025, 1, int(day % 31 + 1)};
        cells[1].when = CivilTime{0, 0, 0, int(second / 3600 % 24), int(second / 60 % 60), int(second % 60)};
        cells[2].integer = group % 4 * 250;
        cells[3].text = tags[size_t(i % kTags)];
        cells[5].number = double((uint32_t(i) * 7919u) % 100000u) / 64.0 - 500.0;
        written = writer.PutRow(cells.data(), nullptr);
    }
    if (writer.Finish(written)) return 0;
    std::fprintf(stderr, "bench_workbook: %s\n", writer.Failure().c_str());
    return 1;
}

void Measure(const std::string& label, const std::vector<std::string>& argv, const std::string& output,
             long records)
{
    const ChildResult run = RunChild(argv);
    PrintRun(kLabelWidth, label.c_str(), run, SizeOf(output), uint64_t(records));
    fs::remove(output);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::string(argv[1]) == "--ours")
        return WriteOurs(std::strtol(argv[2], nullptr, 10), argv[3]);
    const long records = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 600'000;
    const char* tmp = std::getenv("TMPDIR");
    const fs::path work = fs::path(argc > 2 ? argv[2] : (tmp ? tmp : "/tmp")) / "bench-workbook";
    if (records < 1 || records > 50'000'000) {
        std::fprintf(stderr, "bench_workbook: the record count must lie in 1 to 50000000\n");
        return 2;
    }
    fs::remove_all(work);
    fs::create_directories(work);
    const std::string self = "/proc/self/exe";
    const std::string workbook = (work / "rows.xlsx").string();
    const std::string table = (work / "datalog.dbf").string();
    const std::string csv = (work / "datalog.csv").string();
    // At twice the size as well: records/s that hold show a linear run, a
    // peak that holds shows constant memory.
    for (const long size : {records, 2 * records}) {
        std::printf("%ld records of Date, Time, Millitm, Tag, Status, Value\n", size);
        const std::string count = std::to_string(size);
        Measure("our workbook writer", {self, "--ours", count, workbook}, workbook, size);
        Measure("python3-xlsxwriter, constant memory", {PYTHON3, PYTHON_ROWS, count, workbook}, workbook,
                size);
        if (!dbfgen::WriteDatalogTable(table, uint32_t(size), dbfgen::ValueColumn::RawDouble)) {
            std::fprintf(stderr, "bench_workbook: cannot write the table in %s\n", work.c_str());
            return 1;
        }
        Measure("logora /dbf table out.xlsx", {LOGORA_PROGRAM, "/dbf", table, workbook}, workbook, size);
        Measure("logora /dbf table out.csv", {LOGORA_PROGRAM, "/dbf", table, csv}, csv, size);
        fs::remove(table);
    }
    fs::remove_all(work);
    return 0;
}
