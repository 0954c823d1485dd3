#include <gtest/gtest.h>

#include <filesystem>

#include "tests/logora/export/ExportSupport.h"

namespace logora::testing {
namespace {

DBFBytesBuilder PumpTable(const std::vector<std::vector<std::string>>& records)
{
    DBFBytesBuilder table = DatalogTable();
    for (const auto& r : records) table.record(r, ' ', '\0');
    return table;
}

TEST(TableExport, OneLinePerTimeStampOneFieldPerTag)
{
    ScratchDir scratch;
    DBFBytesBuilder table = PumpTable({DatalogRecord("20241231", "12:00:00", "  0", "Pump1", 1),
                                       DatalogRecord("20241231", "12:00:00", "  0", "Pump2", 2),
                                       DatalogRecord("20241231", "12:00:01", "  0", "Pump2", 3)});
    ExportRun run = Export(scratch, table, Form::Table, {"Pump1", "Pump2"});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.text,
              ";Date,Time,Millitm,Pump1,Pump2,\r\n"
              "12/31/2024,12:00:00,  0,       1.00000000,       2.00000000,\r\n"
              "12/31/2024,12:00:01,  0,,       3.00000000,");
}

TEST(TableExport, KeysAndTagsCompareWithoutCaseAndLaterValuesWin)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"Date", 'D', 8})
        .field({"Time", 'C', 8})
        .field({"Millitm", 'N', 3})
        .field({"Tag", 'C', 10})
        .field({"Value", 'C', 8});
    table.record({"20241231", "am", "  1", "PUMP1", RawDouble(1)}, ' ', '\0')
        .record({"20241231", "AM", "  1", "pump1", RawDouble(4)}, ' ', '\0')
        .record({"20241231", "Am", "  1", "Unknown", RawDouble(9)}, ' ', '\0');
    ExportRun run = Export(scratch, table, Form::Table, {"Pump1"});
    EXPECT_EQ(run.text, ";Date,Time,Millitm,Pump1,\r\n12/31/2024,am,  1,       4.00000000,");
}

TEST(TableExport, CancelWritesNoFile)
{
    ScratchDir scratch;
    DBFBytesBuilder table = PumpTable({DatalogRecord("20241231", "12:00:00", "  0", "Pump1", 1),
                                       DatalogRecord("20241231", "12:00:01", "  0", "Pump1", 2),
                                       DatalogRecord("20241231", "12:00:01", "  0", "Pump2", 3),
                                       DatalogRecord("20241231", "12:00:02", "  0", "Pump2", 4)});
    CancelAfter cancel(3);
    ExportRun run = Export(scratch, table, Form::Table, {"Pump1", "Pump2"}, &cancel);
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.csv")));
}

TEST(TableExport, TagNamesWithSeparatorsAreQuoted)
{
    ScratchDir scratch;
    DBFBytesBuilder table = PumpTable({DatalogRecord("20241231", "12:00:00", "  0", "a,b", 1)});
    ExportRun run = Export(scratch, table, Form::Table, {"a,b", "say \"hi\""});
    EXPECT_EQ(run.text,
              ";Date,Time,Millitm,\"a,b\",\"say \"\"hi\"\"\",\r\n"
              "12/31/2024,12:00:00,  0,       1.00000000,,");
}

TEST(TableExport, EmptyTableWritesOnlyTheHeader)
{
    ScratchDir scratch;
    ExportRun run = Export(scratch, PumpTable({}), Form::Table, {"Pump1"});
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.text, ";Date,Time,Millitm,Pump1,\r\n");
}

}  // namespace
}  // namespace logora::testing
