#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>

#include "logora/engine/database/DatabaseWriter.h"
#include "tests/logora/database/DatabaseReading.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::MatchesRegex;

RowCell Number(double value)
{
    RowCell cell;
    cell.empty = false;
    cell.number = value;
    return cell;
}

RowCell Integer(int64_t value)
{
    RowCell cell;
    cell.empty = false;
    cell.integer = value;
    return cell;
}

RowCell When(CivilTime when)
{
    RowCell cell;
    cell.empty = false;
    cell.when = when;
    return cell;
}

RowCell Text(std::string_view text)
{
    RowCell cell;
    cell.empty = text.empty();
    cell.text = text;
    return cell;
}

// A field whose text its column's kind cannot read.
RowCell Unread(std::string_view text)
{
    RowCell cell;
    cell.text = text;
    return cell;
}

struct Row
{
    std::vector<RowCell> cells;
    std::optional<CivilTime> timeStamp;
};

// A datalog's list form: date, time, tag, value, status, and the time stamp.
RowLayout DatalogLayout()
{
    RowLayout layout;
    layout.columns = {{"Date", CellKind::Date, 0, ColumnRole::Date},
                      {"Time", CellKind::Time, 0, ColumnRole::Time},
                      {"TagName", CellKind::Text, 0, ColumnRole::Tag},
                      {"Value", CellKind::Number, 3, ColumnRole::Value},
                      {"Status", CellKind::Integer, 0, ColumnRole::Other}};
    layout.hasTimeStamp = true;
    return layout;
}

Row DatalogRow(int second, std::string_view tag, double value)
{
    const CivilTime when{2024, 3, 1, 13, 5, second, 250};
    return {{When(when), When(when), Text(tag), Number(value), Integer(0)}, when};
}

class DatabaseWriting : public ::testing::Test
{
protected:
    // Writes `rows` of `layout` from `input` into `target`; Finish's result.
    bool Write(const std::string& input, const RowLayout& layout, const std::vector<Row>& rows,
               bool into = false, bool complete = true)
    {
        const OutputOrigin origin{input, "Vell datalog"};
        std::unique_ptr<RowWriter> writer =
            into ? MakeDatabaseWriterInto(origin) : MakeDatabaseWriter(origin);
        bool written = writer->Prepare(target) && writer->BeginRows(layout);
        for (const Row& row : rows)
            written = written && writer->PutRow(row.cells.data(), row.timeStamp ? &*row.timeStamp : nullptr);
        written = writer->Finish(complete && written);
        failure = writer->Failure();
        return written;
    }

    std::vector<std::string> Query(const std::string& sql) const { return QueryLines(target, sql); }

    std::vector<std::string> FolderEntries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(scratch.file("")))
            names.push_back(entry.path().filename().string());
        return names;
    }

    ScratchDir scratch;
    std::string target = scratch.file("out.sqlite");
    std::string failure;
};

TEST_F(DatabaseWriting, ColumnsKeepTheirKindsAndTheTimeStampComesLast)
{
    ASSERT_TRUE(
        Write("/logs/Line 1.LOG", DatalogLayout(),
              {DatalogRow(9, "Flow", 1.5),
               {{Text(""), Unread("25:00:00"), Text("Level"), Unread("1,5"), Text("")}, std::nullopt}}))
        << failure;
    EXPECT_THAT(Query("SELECT name, type FROM pragma_table_info('Line 1')"),
                ElementsAre("Date|TEXT", "Time|TEXT", "TagName|TEXT", "Value|REAL", "Status|INTEGER",
                            "DateTime|TEXT"));
    EXPECT_THAT(
        Query("SELECT typeof(Date), Date, Time, TagName, typeof(Value), Value, typeof(Status), Status, "
              "DateTime FROM \"Line 1\" ORDER BY rowid"),
        ElementsAre("text|2024-03-01|13:05:09|Flow|real|1.5|integer|0|2024-03-01 13:05:09.250",
                    "null|NULL|25:00:00|Level|text|1,5|null|NULL|NULL"));
    EXPECT_THAT(Query("SELECT julianday(DateTime) > 0 FROM \"Line 1\" WHERE rowid = 1"), ElementsAre("1"));
}

// Rows go to the database in batches of their own copies: each keeps its
// place and its texts, though the caller's buffer holds the next row's.
TEST_F(DatabaseWriting, ManyRowsKeepTheirOrderAndTexts)
{
    std::unique_ptr<RowWriter> writer = MakeDatabaseWriter({"/logs/a.log", "Vell datalog"});
    ASSERT_TRUE(writer->Prepare(target) && writer->BeginRows(DatalogLayout())) << writer->Failure();
    std::string tag;
    for (int i = 0; i < 5000; ++i) {
        tag = std::to_string(i) + " Flow";
        Row row = DatalogRow(i % 60, tag, i);
        ASSERT_TRUE(writer->PutRow(row.cells.data(), i == 4321 ? nullptr : &*row.timeStamp));
    }
    ASSERT_TRUE(writer->Finish(true)) << writer->Failure();
    EXPECT_THAT(Query("SELECT count(*), sum(Value = rowid - 1), sum(TagName = (rowid - 1) || ' Flow'), "
                      "sum(DateTime IS NULL) FROM a"),
                ElementsAre("5000|5000|5000|1"));
    EXPECT_THAT(Query("SELECT rowid FROM a WHERE DateTime IS NULL"), ElementsAre("4322"));
}

TEST_F(DatabaseWriting, NamesThatClashAreMadeDistinct)
{
    RowLayout layout;
    layout.columns = {
        {"datetime", CellKind::DateTime}, {"Flow", CellKind::Number}, {"FLOW", CellKind::Number}};
    layout.hasTimeStamp = true;
    layout.tableForm = true;
    const CivilTime when{2024, 3, 1, 13, 5, 9, 7};
    ASSERT_TRUE(Write("/logs/sources.log", layout, {{{When(when), Number(1), Number(2)}, when}})) << failure;
    EXPECT_THAT(Query("SELECT * FROM sources_2"),
                ElementsAre("2024-03-01 13:05:09|1.0|2.0|2024-03-01 13:05:09.007"));
    EXPECT_THAT(Query("SELECT name FROM pragma_table_info('sources_2')"),
                ElementsAre("datetime", "Flow", "FLOW_2", "DateTime_2"));
}

TEST_F(DatabaseWriting, TimeAndTagAreIndexedAndTheInputIsListed)
{
    ASSERT_TRUE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 1), DatalogRow(2, "Level", 2)}))
        << failure;
    EXPECT_THAT(Query("SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL "
                      "ORDER BY name"),
                ElementsAre("a by DateTime|a", "a by TagName|a"));
    EXPECT_THAT(Query("SELECT table_name, input_path, input_format, row_count FROM sources"),
                ElementsAre("a|/logs/a.log|Vell datalog|2"));
    // Rows without time stamps, as of a table, have their first date and time
    // indexed.
    RowLayout table;
    table.columns = {{"Name", CellKind::Text}, {"Timestmp", CellKind::DateTime}};
    ASSERT_TRUE(Write("/logs/b.dbf", table, {{{Text("x"), When({2024, 3, 1})}, std::nullopt}}, true))
        << failure;
    EXPECT_THAT(Query("SELECT name FROM sqlite_master WHERE tbl_name = 'b' AND type = 'index'"),
                ElementsAre("b by Timestmp"));
    EXPECT_THAT(Query("SELECT converted_at FROM sources").front(),
                MatchesRegex("20[0-9][0-9]-[01][0-9]-[0-3][0-9] [0-2][0-9]:[0-5][0-9]:[0-6][0-9]Z"));
}

TEST_F(DatabaseWriting, IncompleteNewDatabaseLeavesTheTargetUntouched)
{
    std::ofstream(target) << "keep me";
    EXPECT_FALSE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 1)}, false, false));
    std::ifstream kept(target);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(kept), {}), "keep me");
    EXPECT_THAT(FolderEntries(), ElementsAre("out.sqlite"));
}

TEST_F(DatabaseWriting, IntoDatabaseAddsTablesAndReplacesOneConvertedAgain)
{
    ASSERT_TRUE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 1)}, true)) << failure;
    ASSERT_TRUE(Write("/logs/b.log", DatalogLayout(), {DatalogRow(1, "Flow", 1)}, true)) << failure;
    ASSERT_TRUE(
        Write("/other/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 7), DatalogRow(2, "Flow", 8)}, true))
        << failure;
    EXPECT_THAT(Query("SELECT Value FROM a"), ElementsAre("7.0", "8.0"));
    EXPECT_THAT(Query("SELECT table_name, input_path, row_count FROM sources ORDER BY table_name"),
                ElementsAre("a|/other/a.log|2", "b|/logs/b.log|1"));
    EXPECT_THAT(
        Query("SELECT name FROM sqlite_master WHERE type = 'index' AND sql IS NOT NULL ORDER BY name"),
        ElementsAre("a by DateTime", "a by TagName", "b by DateTime", "b by TagName"));
    EXPECT_THAT(FolderEntries(), ElementsAre("out.sqlite"));
}

TEST_F(DatabaseWriting, IncompleteInputLeavesTheDatabaseAsItWas)
{
    ASSERT_TRUE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 1)}, true)) << failure;
    const std::vector<std::string> sources = Query("SELECT * FROM sources");
    EXPECT_FALSE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 7), DatalogRow(2, "Flow", 8)},
                       true, false));
    EXPECT_THAT(Query("SELECT Value FROM a"), ElementsAre("1.0"));
    EXPECT_EQ(Query("SELECT * FROM sources"), sources);
    EXPECT_THAT(Query("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"),
                ElementsAre("a", "sources"));
}

TEST_F(DatabaseWriting, FileThatIsNoDatabaseIsNamedAndKept)
{
    std::ofstream(target) << "not a database, but long enough to have a header of one: 0123456789abcdef";
    EXPECT_FALSE(Write("/logs/a.log", DatalogLayout(), {DatalogRow(1, "Flow", 1)}, true));
    EXPECT_THAT(failure, HasSubstr(target + ": file is not a database"));
    std::ifstream kept(target);
    EXPECT_THAT(std::string(std::istreambuf_iterator<char>(kept), {}), HasSubstr("not a database"));
}

}  // namespace
}  // namespace logora::testing
