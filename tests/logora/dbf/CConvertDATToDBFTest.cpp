// The loaded table: cell texts and Save As plain dBASE with the "Value",
// "Internal" and "Timestmp" conversions.
#include <gtest/gtest.h>

#include <cstring>

#include "TestContext.h"
#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;
using zarngen::DbfFieldSpec;
using zarngen::DbfRecord;

class PlainSave : public ::testing::Test
{
protected:
    // One record: Value 1.5, Internal -7, a text, a 4-byte "Value", a Timestmp.
    void WriteTable()
    {
        fields_ = {{"VALUE", 'C', 8, 0}, {"internal", 'C', 4, 0},   {"Note", 'C', 6, 0},
                   {"Value", 'C', 4, 0}, {"Timestmp", 'F', 17, 10}, {"Level", 'N', 5, 2}};
        auto bytes = zarngen::DbfHeaderBytes(fields_, 1);
        DbfRecord record(fields_);
        record.SetRawDouble(0, 1.5);
        record.SetRawInt32(1, -7);
        record.SetText(2, "ab");
        record.SetText(3, "wxyz");
        record.SetNumber(4, 45306.5);  // 2024-01-15 12:00:00
        record.SetNumber(5, 3.25);
        bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
        WriteBytes(Loaded(), bytes);
    }
    std::string Loaded() const { return folder_.File("loaded.dbf"); }
    std::string Saved() const { return folder_.File("saved.dbf"); }

    testing::TempFolder folder_;
    std::vector<DbfFieldSpec> fields_;
};

TEST_F(PlainSave, ConvertsBinaryFieldsAndKeepsTheRest)
{
    WriteTable();
    CConvertDATToDBF table;
    ASSERT_TRUE(table.Open(Loaded()));
    ConsoleProgress progress;
    ASSERT_TRUE(table.Convert(Saved(), progress));
    EXPECT_EQ(progress.Percent(), 100);

    CDBF saved;
    ASSERT_TRUE(saved.OpenRead(Saved()));
    saved.ReadFieldDescriptors();
    ASSERT_EQ(saved.GetFieldCount(), 6);
    ASSERT_TRUE(saved.GoToRecord(0));
    struct Expected
    {
        char type;
        int length;
        int decimals;
        std::string text;
    };
    const Expected expected[] = {
        {'F', 17, 8, "       1.50000000"},
        {'N', 10, 0, "        -7"},
        {'C', 6, 0, "ab"},
        {'C', 4, 0, "wxyz"},
        {'C', 19, 0, ""},
        {'N', 5, 2, " 3.25"},
    };
    for (int i = 0; i < 6; ++i) {
        const DBFField field = saved.GetField(i);
        EXPECT_EQ(field.type, expected[i].type) << i;
        EXPECT_EQ(field.length, expected[i].length) << i;
        EXPECT_EQ(field.decimals, expected[i].decimals) << i;
        if (i != 4) {
            EXPECT_EQ(saved.GetFieldString(i), expected[i].text) << i;
        }
    }
    const std::string stamp = saved.GetFieldString(4);
    EXPECT_LE(stamp.size(), 19u);
    EXPECT_NE(stamp.find("12:00:00"), std::string::npos) << stamp;

    const auto bytes = ReadBytes(Saved());
    EXPECT_EQ(testing::U16At(bytes, 10), 1 + 17 + 10 + 6 + 4 + 19 + 5);
    EXPECT_EQ(bytes[32 * 7], 0x0D);
    EXPECT_EQ(bytes[32 * 7 + 1], 0x20);  // deletion flag of the one record
    EXPECT_EQ(bytes.size(), 32u * 7 + 1 + 62);
}

TEST_F(PlainSave, FloatFormatSetsValueField)
{
    WriteTable();
    CConvertDATToDBF table;
    ASSERT_TRUE(table.Open(Loaded()));
    table.SetFloatFormat(6, 2);
    ConsoleProgress progress;
    ASSERT_TRUE(table.Convert(Saved(), progress));
    CDBF saved;
    ASSERT_TRUE(saved.OpenRead(Saved()));
    saved.ReadFieldDescriptors();
    ASSERT_TRUE(saved.GoToRecord(0));
    EXPECT_EQ(saved.GetField(0).length, 6);
    EXPECT_EQ(saved.GetFieldString(0), "  1.50");
}

// With a float length of 8 the saved "Value" is F 8 and "Timestmp" C 19 text:
// saving, exporting and showing that table again keeps both as text.
TEST_F(PlainSave, SavedTableKeepsItsValuesWhenReadAgain)
{
    WriteTable();
    CConvertDATToDBF loaded;
    ASSERT_TRUE(loaded.Open(Loaded()));
    loaded.SetFloatFormat(8, 3);
    ConsoleProgress progress;
    ASSERT_TRUE(loaded.Convert(Saved(), progress));

    CConvertDATToDBF saved;
    ASSERT_TRUE(saved.Open(Saved()));
    saved.SetFloatFormat(8, 3);
    std::string text;
    saved.GetValue(0, 0, text);
    EXPECT_EQ(text, "1.500");
    std::string stamp;
    saved.GetValue(0, 4, stamp);
    EXPECT_NE(stamp.find("12:00:00"), std::string::npos) << stamp;

    ASSERT_TRUE(saved.Convert(folder_.File("again.dbf"), progress));
    CDBF again;
    ASSERT_TRUE(again.OpenRead(folder_.File("again.dbf")));
    again.ReadFieldDescriptors();
    ASSERT_TRUE(again.GoToRecord(0));
    EXPECT_EQ(again.GetField(0).type, 'F');
    EXPECT_EQ(again.GetFieldString(0), "   1.500");
    EXPECT_EQ(again.GetFieldString(4), stamp);

    {
        test::TestContext context;
        CConvertDBFToCSV exporter(context, 8, 3);
        ASSERT_TRUE(exporter.OpenSource(Saved()));
        ASSERT_TRUE(exporter.CreateOutput(folder_.File("saved.csv")));
        ASSERT_TRUE(exporter.ExportList(progress));
    }
    const auto csv = ReadBytes(folder_.File("saved.csv"));
    const std::string line(csv.begin(), csv.end());
    EXPECT_NE(line.find("\r\n   1.500,"), std::string::npos) << line;
    EXPECT_NE(line.find("," + stamp + ","), std::string::npos) << line;
}

TEST_F(PlainSave, OutOfRangeFloatFormatIsKeptWithinAField)
{
    CConvertDATToDBF table;
    table.SetFloatFormat(1000, 999);
    EXPECT_EQ(table.GetFloatLength(), 255);
    EXPECT_EQ(table.GetFloatDecimals(), 254);
}

TEST_F(PlainSave, UncreatableOutputFails)
{
    WriteTable();
    CConvertDATToDBF table;
    ASSERT_TRUE(table.Open(Loaded()));
    ConsoleProgress progress;
    EXPECT_FALSE(table.Convert(folder_.File("missing/saved.dbf"), progress));
}

TEST_F(PlainSave, TruncatedTableSavesTheRecordsItHoldsInsteadOfRepeatingOne)
{
    WriteTable();
    auto bytes = ReadBytes(Loaded());
    bytes[4] = 3;  // claims three records, holds one
    WriteBytes(Loaded(), bytes);
    CConvertDATToDBF table;
    ASSERT_TRUE(table.Open(Loaded()));
    EXPECT_EQ(table.GetRecordCount(), 1);
    EXPECT_EQ(table.GetAnnouncedRecordCount(), 3);
    ConsoleProgress progress;
    ASSERT_TRUE(table.Convert(Saved(), progress));
    CConvertDATToDBF saved;
    ASSERT_TRUE(saved.Open(Saved()));
    EXPECT_EQ(saved.GetAnnouncedRecordCount(), 1);
    EXPECT_EQ(saved.GetRecordCount(), 1);
}

TEST_F(PlainSave, CellTextsAndUnreadableRecord)
{
    WriteTable();
    CConvertDATToDBF table;
    ASSERT_TRUE(table.Open(Loaded()));
    EXPECT_EQ(table.GetRecordCount(), 1);
    std::vector<std::string> names;
    table.GetFieldNames(names);
    EXPECT_EQ(names, (std::vector<std::string>{"VALUE", "internal", "Note", "Value", "Timestmp", "Level"}));
    std::string text;
    table.GetValue(0, 0, text);
    EXPECT_EQ(text, "1.50000000");
    table.GetValue(0, 1, text);
    EXPECT_EQ(text, "-7");
    text = "unchanged";
    table.GetValue(5, 2, text);
    EXPECT_EQ(text, "unchanged");
    table.GetValue(0, 2, text);
    EXPECT_EQ(text, "ab");
}

struct BadHeader
{
    size_t offset;
    uint8_t value;
};

class UnusableTable : public PlainSave, public ::testing::WithParamInterface<BadHeader>
{
};

TEST_P(UnusableTable, IsNotOpened)
{
    WriteTable();
    auto bytes = ReadBytes(Loaded());
    bytes[GetParam().offset] = GetParam().value;
    WriteBytes(Loaded(), bytes);
    CConvertDATToDBF table;
    EXPECT_FALSE(table.Open(Loaded()));
    EXPECT_EQ(table.GetRecordCount(), 0);
}

// Header length past the end of the file; header length below one descriptor.
INSTANTIATE_TEST_SUITE_P(Headers, UnusableTable, ::testing::Values(BadHeader{9, 0x40}, BadHeader{8, 0x10}),
                         [](const auto& info) {
                             return "Offset" + std::to_string(info.param.offset) + "Value" +
                                    std::to_string(info.param.value);
                         });

}  // namespace
}  // namespace logora
