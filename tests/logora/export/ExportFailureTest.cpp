#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TestContext.h"
#include "logora/engine/run/RunState.h"
#include "tests/logora/export/ExportSupport.h"

namespace logora::testing {
namespace {

// Collects what the export reports instead of showing it.
class ExportFailures : public ::testing::Test
{
protected:
    void SetUp() override
    {
        context.run.SetMessageBoxSink(
            [this](std::string_view, std::string_view text) { shown.emplace_back(text); });
    }

    test::TestContext context;
    std::vector<std::string> shown;
    ScratchDir scratch;
};

TEST_F(ExportFailures, MissingSourceIsReportedAndNothingIsWritten)
{
    std::string target = scratch.file("out.csv");
    std::ofstream(target) << "keep me";
    CConvertDBFToCSV exporter(context, 17, 8);
    EXPECT_FALSE(exporter.OpenSource(scratch.file("missing.dbf")));
    EXPECT_TRUE(exporter.CreateOutput(target));
    ConsoleProgress progress;
    EXPECT_FALSE(exporter.ExportList(progress));
    EXPECT_EQ(TextOf(target), "keep me");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "The table " + scratch.file("missing.dbf") + " can not be opened!");
}

TEST_F(ExportFailures, OutputThatCannotBeCreatedIsReported)
{
    DBFBytesBuilder table;
    table.field({"A", 'C', 1}).record({"1"});
    WriteWholeFile(scratch.file("t.dbf"), table.bytes());
    CConvertDBFToCSV exporter(context, 17, 8);
    ASSERT_TRUE(exporter.OpenSource(scratch.file("t.dbf")));
    EXPECT_FALSE(exporter.CreateOutput(scratch.file("no/such/folder/out.csv")));
    ConsoleProgress progress;
    EXPECT_FALSE(exporter.ExportTable(progress));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("can not be created"), std::string::npos);
}

TEST_F(ExportFailures, TruncatedTableFailsAndLeavesTheTargetAsItWas)
{
    DBFBytesBuilder table;
    table.field({"A", 'C', 1}).statedRecordCount(5).record({"1"}).record({"2"}).endOfFileMark(false);
    std::string target = scratch.file("out.csv");
    std::ofstream(target) << "previous export";
    WriteWholeFile(scratch.file("t.dbf"), table.bytes());
    CConvertDBFToCSV exporter(context, 17, 8);
    ASSERT_TRUE(exporter.OpenSource(scratch.file("t.dbf")));
    ASSERT_TRUE(exporter.CreateOutput(target));
    ConsoleProgress progress;
    EXPECT_FALSE(exporter.ExportList(progress));
    EXPECT_EQ(TextOf(target), "previous export");
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("ends before its last record"), std::string::npos);
    size_t entries = 0;
    for ([[maybe_unused]] auto& e :
         std::filesystem::directory_iterator(std::filesystem::path(target).parent_path()))
        ++entries;
    EXPECT_EQ(entries, 2u);  // the table and the untouched target, no leftovers
}

TEST_F(ExportFailures, TableFormNeedsTagAndValueColumns)
{
    DBFBytesBuilder table;
    table.field({"Date", 'D', 8}).field({"Time", 'C', 8}).record({"20241231", "12:00:00"});
    ExportRun run = Export(context, scratch, table, Form::Table, {"Pump1"});
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.csv")));
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_NE(shown[0].find("no Tag and Value columns"), std::string::npos);
}

TEST_F(ExportFailures, ExportWithoutCreateOutputWritesNowhere)
{
    DBFBytesBuilder table;
    table.field({"A", 'C', 1}).record({"1"});
    WriteWholeFile(scratch.file("t.dbf"), table.bytes());
    CConvertDBFToCSV exporter(context, 17, 8);
    ASSERT_TRUE(exporter.OpenSource(scratch.file("t.dbf")));
    ConsoleProgress progress;
    EXPECT_FALSE(exporter.ExportList(progress));
    EXPECT_TRUE(shown.empty());
}

// A header whose record length is shorter than its fields: every column is
// cut to the bytes that lie inside the record, and nothing beyond is read.
TEST_F(ExportFailures, FieldsBeyondTheRecordLengthAreCut)
{
    DBFBytesBuilder table;
    table.field({"Value", 'C', 8}).field({"Text", 'C', 5}).endOfFileMark(false);
    table.record({"abcdefgh", "xyz"}).record({"ABCDEFGH", "XYZ"});
    std::vector<uint8_t> bytes = table.bytes();
    bytes[10] = 6;  // record length 6: the flag and five bytes; records now overlap
    bytes[11] = 0;
    WriteWholeFile(scratch.file("t.dbf"), bytes);
    CConvertDBFToCSV exporter(context, 17, 8);
    ASSERT_TRUE(exporter.OpenSource(scratch.file("t.dbf")));
    ASSERT_TRUE(exporter.CreateOutput(scratch.file("out.csv")));
    ConsoleProgress progress;
    EXPECT_TRUE(exporter.ExportList(progress));
    EXPECT_EQ(TextOf(scratch.file("out.csv")), ";Value,Text\r\nabcde,,\r\nghxyz,,\r\n");
}

}  // namespace
}  // namespace logora::testing
