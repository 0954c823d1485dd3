#include <gtest/gtest.h>

#include <filesystem>

#include "logora/engine/export/ExportThreads.h"
#include "tests/logora/export/ExportSupport.h"

#include "CaseName.h"

namespace logora::testing {
namespace {

TEST(ListExport, DatalogTableLineByLine)
{
    ScratchDir scratch;
    DBFBytesBuilder table = DatalogTable();
    table.record(DatalogRecord("20241231", "12:00:00", "  5", "Pump1", 1.5), ' ', '\0')
        .record(DatalogRecord("20241231", "12:00:01", " 10", "Pump2", -0.000000004), ' ', '\0')
        .record(DatalogRecord("20250101", "00:00:00", "999", "Pump1", 123456789.125), ' ', '\0');
    ExportRun run = Export(scratch, table, Form::List);
    EXPECT_TRUE(run.result);
    EXPECT_EQ(run.text,
              ";Date,Time,Millitm,Marker,TagIndex,Status,Value\r\n"
              "12/31/2024,12:00:00,  5,B,Pump1,0,       1.50000000,\r\n"
              "12/31/2024,12:00:01, 10,B,Pump2,0,      -0.00000000,\r\n"
              "01/01/2025,00:00:00,999,B,Pump1,0,123456789.12500000,\r\n");
}

struct QuotingCase
{
    std::string text;
    std::string written;
};

class ListQuoting : public ::testing::TestWithParam<QuotingCase>
{
};

TEST_P(ListQuoting, TextColumn)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"Text", 'C', 20}).record({GetParam().text}, ' ', '\0');
    EXPECT_EQ(Export(scratch, table, Form::List).text, ";Text\r\n" + GetParam().written + ",\r\n");
}

INSTANTIATE_TEST_SUITE_P(Rule, ListQuoting,
                         ::testing::Values(QuotingCase{"x\"ab,cd\"efgh",
                                                       "\"x\"\"ab,cd\"\"efgh\""},  // 12 characters become 16
                                           QuotingCase{"a\nb", "\"a\nb\""}, QuotingCase{"a\rb", "a\rb"},
                                           QuotingCase{"plain text", "plain text"},
                                           QuotingCase{"\"", "\"\"\"\""}, QuotingCase{"a,b", "\"a,b\""},
                                           // Specials in the second group of eight bytes, in the
                                           // tail of a full field, and only behind the NUL.
                                           QuotingCase{"abcdefghij,k", "\"abcdefghij,k\""},
                                           QuotingCase{"abcdefghijklmnopqrs\n", "\"abcdefghijklmnopqrs\n\""},
                                           QuotingCase{std::string("abc\0,\"\0de,", 10), "abc"}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(ListExport, PaddingDeletionFlagAndBinaryColumns)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"Blank", 'C', 6})
        .field({"Nul", 'C', 6})
        .field({"Internal", 'C', 4})
        .field({"Timestmp", 'F', 12, 4})
        .field({"Count", 'N', 5});
    table.record({"ab    ", std::string("ab\0cd\0", 6), RawInt32(-5), "  45657.5000", "   42"}, '*');
    // A binary integer is ten wide, wider only where its sign needs the room.
    for (const int32_t extreme : {INT32_MIN, -999'999'999, INT32_MAX})
        table.record({"ab    ", std::string("ab\0cd\0", 6), RawInt32(extreme), "  45657.5000", "    1"});
    ExportRun run = Export(scratch, table, Form::List);
    EXPECT_EQ(run.text,
              ";Blank,Nul,Internal,Timestmp,Count\r\n"
              "ab    ,ab,        -5,12/31/2024 12:00:00,   42,\r\n"
              "ab    ,ab,-2147483648,12/31/2024 12:00:00,    1,\r\n"
              "ab    ,ab,-999999999,12/31/2024 12:00:00,    1,\r\n"
              "ab    ,ab,2147483647,12/31/2024 12:00:00,    1,\r\n");
}

TEST(ListExport, ThreeRecordsGiveFourLines)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"A", 'C', 1}).record({"1"}).record({"2"}).record({"3"});
    EXPECT_EQ(Export(scratch, table, Form::List).text, ";A\r\n1,\r\n2,\r\n3,\r\n");
}

TEST(ListExport, CancelWritesNoFile)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"A", 'C', 1});
    for (int i = 0; i < 10; ++i) table.record({std::to_string(i)});
    CancelAfter cancel(4);
    ExportRun run = Export(scratch, table, Form::List, {}, &cancel);
    EXPECT_FALSE(run.result);
    EXPECT_FALSE(std::filesystem::exists(scratch.file("out.csv")));
}

// Enough records for several output blocks and several blocks of the
// formatting threads: the same bytes on one thread and on three, in order;
// a cancel while blocks are in flight leaves the target as it was.
TEST(ListExport, LongLinesAndManyRecordsCrossOutputBlocks)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.field({"Text", 'C', 250}).field({"Value", 'C', 8});
    std::string expected = ";Text,Value\r\n";
    std::string text(250, 'x');
    for (int i = 0; i < 5000; ++i) {
        table.record({text, RawDouble(i)}, ' ', '\0');
        char value[32];
        std::snprintf(value, sizeof value, "%17.8f", static_cast<double>(i));
        expected += text + "," + value + ",\r\n";
    }
    for (unsigned threads : {1u, 3u}) {
        test::TestContext context;
        context.options.exportThreads = threads;
        ExportRun run = Export(context, scratch, table, Form::List);
        EXPECT_TRUE(run.result) << threads;
        EXPECT_EQ(run.text, expected) << threads;
        CancelAfter cancel(3000);
        EXPECT_FALSE(Export(context, scratch, table, Form::List, {}, &cancel).result);
        EXPECT_EQ(TextOf(scratch.file("out.csv")), expected) << threads;
    }
}

TEST(ListExport, TableWithoutFields)
{
    ScratchDir scratch;
    DBFBytesBuilder table;
    table.record({}).record({});
    EXPECT_EQ(Export(scratch, table, Form::List).text, ";\r\n\r\n\r\n");
}

}  // namespace
}  // namespace logora::testing
