// Rows of every kind written as a workbook and read back by openpyxl: the
// values, their number formats, the frozen heading with its autofilter, the
// split into sheets, and a target left as it was by an incomplete run.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "logora/engine/workbook/WorkbookWriter.h"
#include "tests/logora/zarn/TestFiles.h"

namespace logora {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteBytes;

// One line per sheet (title, frozen cell, autofilter range), then one per
// cell that holds something: coordinate|type|value|number format.
constexpr const char* kReader = R"(import sys
try:
    import openpyxl
except ImportError:
    sys.exit(3)
book = openpyxl.load_workbook(sys.argv[1])
for sheet in book.worksheets:
    print("%s|%s|%s" % (sheet.title, sheet.freeze_panes, sheet.auto_filter.ref))
    for row in sheet.iter_rows():
        for cell in row:
            if cell.value is None:
                continue
            value = cell.value.isoformat() if hasattr(cell.value, "isoformat") else repr(cell.value)
            print("%s|%s|%s|%s" % (cell.coordinate, type(cell.value).__name__, value, cell.number_format))
)";

class Workbook : public ::testing::Test
{
protected:
    std::string Target() const { return folder_.File("out.xlsx"); }

    // What the reader prints of the target; skips the test without openpyxl.
    std::vector<std::string> ReadBack()
    {
        const std::string script = folder_.File("read.py");
        WriteBytes(script, std::vector<uint8_t>(kReader, kReader + std::char_traits<char>::length(kReader)));
        const std::string command = std::string(PYTHON3) + " '" + script + "' '" + Target() + "'";
        FILE* reader = popen(command.c_str(), "r");
        if (reader == nullptr) return {};
        std::string output;
        char chunk[4096];
        for (size_t got; (got = std::fread(chunk, 1, sizeof chunk, reader)) > 0;) output.append(chunk, got);
        const int status = pclose(reader);
        if (WIFEXITED(status) && WEXITSTATUS(status) == 3) {
            skipped_ = true;
            return {};
        }
        std::vector<std::string> lines;
        for (size_t start = 0, end; (end = output.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(output.substr(start, end - start));
        return lines;
    }

    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
            names.push_back(entry.path().filename().string());
        return names;
    }

    TempFolder folder_;
    bool skipped_ = false;
};

// A field read as its kind; the kind's value is set by the callers.
RowCell Read(const char* text)
{
    RowCell cell;
    cell.empty = false;
    cell.text = text;
    return cell;
}

RowCell Value(double number, const char* text)
{
    RowCell cell = Read(text);
    cell.number = number;
    return cell;
}

RowCell Whole(int64_t integer, const char* text)
{
    RowCell cell = Read(text);
    cell.integer = integer;
    return cell;
}

RowCell When(CivilTime when, const char* text)
{
    RowCell cell = Read(text);
    cell.when = when;
    return cell;
}

RowCell Text(const char* text)
{
    RowCell cell = Read(text);
    cell.empty = text[0] == '\0';
    return cell;
}

// A field that is blank (no text) or that its kind cannot read (its text).
RowCell Unread(const char* text)
{
    RowCell cell;
    cell.text = text;
    return cell;
}

TEST_F(Workbook, KeepsEveryKindOfCellInTheFormatTheCsvShows)
{
    RowLayout layout;
    layout.columns = {{"Date", CellKind::Date, 0, ColumnRole::Date},
                      {"Time", CellKind::Time, 0, ColumnRole::Time},
                      {"Millitm", CellKind::Integer, 0, ColumnRole::Millitm},
                      {"Tag", CellKind::Text, 0, ColumnRole::Tag},
                      {"Value", CellKind::Number, 8, ColumnRole::Value},
                      {"Timestmp", CellKind::DateTime, 0, ColumnRole::Other},
                      {"Count", CellKind::Number, 0, ColumnRole::Other}};
    const std::vector<std::vector<RowCell>> rows = {
        {When({2024, 12, 31}, "12/31/2024"), When({0, 0, 0, 12, 34, 56}, "12:34:56"), Whole(250, "250"),
         Text("Größe"), Value(1.5, "1.50000000"), When({2024, 12, 31, 23, 59, 59}, "12/31/2024 23:59:59"),
         Value(42, "42")},
        // Texts that are no value of their kind, and values a sheet cannot hold, stay texts.
        {Unread(""), Unread(""), Unread("n/a"), Text(""), Unread("bad"),
         When({1899, 12, 30}, "12/30/1899 00:00:00"), Value(1e300 * 1e300, "inf")},
        // The sheet's calendar counts a 29 February 1900 that never was: days
        // before it are one lower. A text that is no UTF-8 is made one.
        {When({1900, 1, 1}, "01/01/1900"), Unread(""), Whole(10'000'000'000'000'000, "10000000000000000"),
         Text("x\xC4"), Value(-1e-8, "-0.00000001"), When({1900, 3, 1, 6}, "03/01/1900 06:00:00"),
         Unread("")}};
    WorkbookWriter writer;
    ASSERT_TRUE(writer.Prepare(Target())) << writer.Failure();
    ASSERT_TRUE(writer.BeginRows(layout));
    for (const std::vector<RowCell>& row : rows) ASSERT_TRUE(writer.PutRow(row.data(), nullptr));
    ASSERT_TRUE(writer.Finish(true)) << writer.Failure();

    const std::vector<std::string> cells = ReadBack();
    if (skipped_) GTEST_SKIP() << "openpyxl is not installed";
    EXPECT_EQ(cells, (std::vector<std::string>{
                         "Records|A2|A1:G4",
                         "A1|str|'Date'|General",
                         "B1|str|'Time'|General",
                         "C1|str|'Millitm'|General",
                         "D1|str|'Tag'|General",
                         "E1|str|'Value'|General",
                         "F1|str|'Timestmp'|General",
                         "G1|str|'Count'|General",
                         "A2|datetime|2024-12-31T00:00:00|mm\\/dd\\/yyyy",
                         "B2|time|12:34:56|hh:mm:ss",
                         "C2|int|250|0",
                         "D2|str|'Größe'|General",
                         "E2|float|1.5|0.00000000",
                         "F2|datetime|2024-12-31T23:59:59|mm\\/dd\\/yyyy hh:mm:ss",
                         "G2|int|42|0",
                         "C3|str|'n/a'|General",
                         "E3|str|'bad'|General",
                         "F3|str|'12/30/1899 00:00:00'|General",
                         "G3|str|'inf'|General",
                         "A4|datetime|1900-01-01T00:00:00|mm\\/dd\\/yyyy",
                         "C4|str|'10000000000000000'|General",
                         "D4|str|'x\uFFFD'|General",
                         "E4|float|-1e-08|0.00000000",
                         "F4|datetime|1900-03-01T06:00:00|mm\\/dd\\/yyyy hh:mm:ss",
                     }));
}

TEST_F(Workbook, SplitsRecordsIntoSheetsAtTheRowLimit)
{
    RowLayout layout;
    layout.columns = {{"Tag", CellKind::Text, 0, ColumnRole::Tag},
                      {"Value", CellKind::Integer, 0, ColumnRole::Value}};
    WorkbookWriter writer(2);
    ASSERT_TRUE(writer.Prepare(Target()));
    ASSERT_TRUE(writer.BeginRows(layout));
    for (int64_t record = 1; record <= 5; ++record) {
        const std::vector<RowCell> row = {Text("T"), Whole(record, "")};
        ASSERT_TRUE(writer.PutRow(row.data(), nullptr));
    }
    ASSERT_TRUE(writer.Finish(true)) << writer.Failure();

    const std::vector<std::string> cells = ReadBack();
    if (skipped_) GTEST_SKIP() << "openpyxl is not installed";
    const std::vector<std::string> heading = {"A1|str|'Tag'|General", "B1|str|'Value'|General"};
    std::vector<std::string> expected;
    for (const auto& [sheet, first, last] :
         {std::tuple{"Records|A2|A1:B3", 1, 2}, std::tuple{"Records 2|A2|A1:B3", 3, 4},
          std::tuple{"Records 3|A2|A1:B2", 5, 5}}) {
        expected.push_back(sheet);
        expected.insert(expected.end(), heading.begin(), heading.end());
        for (int record = first; record <= last; ++record) {
            const std::string row = std::to_string(record - first + 2);
            expected.push_back("A" + row + "|str|'T'|General");
            expected.push_back("B" + row + "|int|" + std::to_string(record) + "|0");
        }
    }
    EXPECT_EQ(cells, expected);
}

// Writes rows in a child whose files may not grow beyond 64 KiB, as on a
// full disk; its exit status: 0 written, 1 refused for the lost rows, 2 else.
int WriteBeyondTheFileSizeLimit(const std::string& target, const RowLayout& layout, const RowCell& cell)
{
    const pid_t child = fork();
    if (child == 0) {
        signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 << 10, 64 << 10};
        setrlimit(RLIMIT_FSIZE, &limit);
        WorkbookWriter writer;
        bool written = writer.Prepare(target) && writer.BeginRows(layout);
        for (int row = 0; written && row < 20'000; ++row) written = writer.PutRow(&cell, nullptr);
        if (writer.Finish(written)) _exit(0);
        _exit(writer.Failure().find("cannot keep the rows of sheet Records in") != std::string::npos ? 1 : 2);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Workbook, LeavesTheTargetAsItWasUnlessComplete)
{
    WriteBytes(Target(), {'o', 'l', 'd'});
    RowLayout layout;
    layout.columns = {{"Value", CellKind::Number, 2, ColumnRole::Value}};
    const RowCell cell = Value(1, "1.00");
    {
        WorkbookWriter writer;
        ASSERT_TRUE(writer.Prepare(Target()));
        ASSERT_TRUE(writer.BeginRows(layout));
        ASSERT_TRUE(writer.PutRow(&cell, nullptr));
        EXPECT_FALSE(writer.Finish(false));
    }
    EXPECT_EQ(ReadText(Target()), "old");
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"out.xlsx"});
    EXPECT_EQ(WriteBeyondTheFileSizeLimit(Target(), layout, cell), 1);
    EXPECT_EQ(ReadText(Target()), "old");
    EXPECT_EQ(Leftovers(), std::vector<std::string>{"out.xlsx"});

    WorkbookWriter writer;
    const std::string missing = folder_.File("none/out.xlsx");
    EXPECT_FALSE(writer.Prepare(missing));
    EXPECT_EQ(writer.Failure().rfind(missing + ": ", 0), 0u) << writer.Failure();
    EXPECT_FALSE(writer.BeginRows(layout));
    EXPECT_FALSE(writer.Finish(true));
}

}  // namespace
}  // namespace logora
