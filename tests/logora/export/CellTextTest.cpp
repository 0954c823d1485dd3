#include <gtest/gtest.h>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "tests/logora/export/ExportSupport.h"

namespace logora::testing {
namespace {

TEST(CellText, EveryRuleOfTheRecordList)
{
    ScratchDir scratch;
    DBFBytesBuilder builder;
    builder.field({"Value", 'C', 8})
        .field({"Internal", 'C', 4})
        .field({"Date", 'D', 8})
        .field({"Timestmp", 'F', 12, 4})
        .field({"Count", 'N', 5})
        .field({"Text", 'C', 6})
        .field({"Other", 'X', 4})
        .field({"Internal", 'C', 2});
    builder.record({RawDouble(1.5), RawInt32(-5), "20241231", "  45657.5000", "   42",
                    std::string("  ab\0c\0", 6), " xy ", std::string("\x01\x01", 2)},
                   ' ', '\0');
    WriteWholeFile(scratch.file("t.dbf"), builder.bytes());
    CDBF table;
    ASSERT_TRUE(table.OpenRead(scratch.file("t.dbf")));
    table.ReadFieldDescriptors();
    ASSERT_TRUE(table.GoToRecord(0));

    struct Case
    {
        int column;
        const char* name;
        const char* text;
    };
    for (Case c : {Case{0, "value", "1.50000000"}, Case{1, "Internal", "-5"}, Case{2, "Date", "12/31/2024"},
                   Case{3, "TIMESTMP", "12/31/2024 12:00:00"}, Case{4, "Count", "42"}, Case{5, "Text", "ab"},
                   Case{6, "Other", "xy "}, Case{7, "Internal", "257"}, Case{3, "Stamp", "45657.5000"}}) {
        std::string text = "stale";
        CDataFormatHelper::FormatCellText(table, c.column, c.name, text, 17, 8);
        EXPECT_EQ(text, c.text) << c.column << " " << c.name;
    }
}

}  // namespace
}  // namespace logora::testing
