#include <gtest/gtest.h>

#include <cstring>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

uint32_t Le32(const std::vector<uint8_t>& v, size_t at)
{
    return v[at] | v[at + 1] << 8 | v[at + 2] << 16 | static_cast<uint32_t>(v[at + 3]) << 24;
}
uint16_t Le16(const std::vector<uint8_t>& v, size_t at)
{
    return static_cast<uint16_t>(v[at] | v[at + 1] << 8);
}
std::string Slice(const std::vector<uint8_t>& v, size_t at, size_t n)
{
    return std::string(reinterpret_cast<const char*>(v.data()) + at, n);
}

TEST(CDBFWrite, LaysOutHeaderDescriptorsAndRecords)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        table.AddField("AllTrigMsg", 'C', 5, 0);
        table.AddField("Count", 'N', 10, 0);
        table.WriteHeader(2);
        table.SetFieldString(0, "ab");
        table.SetFieldInt(1, 123);
        table.AppendRecord();
        table.SetFieldString("AllTrigMsg", "abcdefg");
        table.SetFieldInt("Count", -7);
        table.AppendRecord();
        table.WriteBytes("\x1A", 1);
    }
    const std::vector<uint8_t> bytes = testing::ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 32u + 64 + 1 + 2 * 16 + 1);

    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    EXPECT_EQ(bytes[0], 0x03);
    EXPECT_EQ(bytes[1], (local.tm_year + 1900) % 100);
    EXPECT_EQ(bytes[2], local.tm_mon + 1);
    EXPECT_EQ(bytes[3], local.tm_mday);
    EXPECT_EQ(Le32(bytes, 4), 2u);
    EXPECT_EQ(Le16(bytes, 8), 97);
    EXPECT_EQ(Le16(bytes, 10), 16);
    EXPECT_EQ(Slice(bytes, 12, 20), std::string(20, '\0'));

    // A ten-character name keeps its NUL at byte 10, the type at byte 11.
    EXPECT_EQ(Slice(bytes, 32, 12), std::string("AllTrigMsg\0C", 12));
    EXPECT_EQ(Le32(bytes, 32 + 12), 1u);
    EXPECT_EQ(bytes[32 + 16], 5);
    EXPECT_EQ(Slice(bytes, 64, 12), std::string("Count\0\0\0\0\0\0N", 12));
    EXPECT_EQ(Le32(bytes, 64 + 12), 6u);
    EXPECT_EQ(bytes[64 + 16], 10);
    EXPECT_EQ(bytes[96], 0x0D);

    EXPECT_EQ(Slice(bytes, 97, 16), std::string(" ab\0\0\0       123", 16));
    EXPECT_EQ(Slice(bytes, 113, 16), std::string(" abcde        -7", 16));
    EXPECT_EQ(bytes.back(), 0x1A);
}

TEST(CDBFWrite, TableWithoutFieldsHasMinimalLengths)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        table.WriteHeader(0);
    }
    CDBF table;
    ASSERT_TRUE(table.OpenRead(path));
    ASSERT_TRUE(table.ReadFieldDescriptors());
    EXPECT_EQ(table.GetHeaderLength(), 33u);
    EXPECT_EQ(table.GetRecordLength(), 1u);
    EXPECT_EQ(table.GetFieldCount(), 0);
    EXPECT_EQ(table.FindField("Value"), -1);
    EXPECT_EQ(testing::ReadWholeFile(path).size(), 33u);
}

TEST(CDBFWrite, LongerNameIsCutToTenCharacters)
{
    testing::ScratchDir dir;
    CDBF table;
    ASSERT_TRUE(table.Create(dir.file("t.dbf")));
    table.AddField("TimestampOfTheEvent", 'C', 4, 0);
    EXPECT_EQ(table.GetField(0).Name(), "TimestampO");
    EXPECT_EQ(table.FindField("TimestampO"), 0);
}

struct SetterCase
{
    const char* name;
    char type;
    int length;
    int decimals;
    std::function<void(CDBF&)> set;  // sets field 0
    std::string stored;
};

class CDBFSetterTest : public ::testing::TestWithParam<SetterCase>
{
};

TEST_P(CDBFSetterTest, StoresTheFieldBytes)
{
    const SetterCase& c = GetParam();
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        table.AddField("F", c.type, c.length, c.decimals);
        table.WriteHeader(1);
        c.set(table);
        table.AppendRecord();
    }
    const std::vector<uint8_t> bytes = testing::ReadWholeFile(path);
    ASSERT_EQ(bytes.size(), 65u + 1 + c.length);
    EXPECT_EQ(Slice(bytes, 66, c.length), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, CDBFSetterTest,
    ::testing::Values(
        SetterCase{"IntRightAligned", 'N', 10, 0, [](CDBF& t) { t.SetFieldInt(0, 123); }, "       123"},
        SetterCase{"IntCutToWidth", 'N', 3, 0, [](CDBF& t) { t.SetFieldInt(0, 12345); }, "123"},
        SetterCase{"LongNegative", 'N', 6, 0, [](CDBF& t) { t.SetFieldLong(0, -42L); }, "   -42"},
        SetterCase{"DoubleDecimals", 'F', 10, 3, [](CDBF& t) { t.SetFieldDouble(0, 1.5); }, "     1.500"},
        SetterCase{"DoubleRounds", 'F', 6, 2, [](CDBF& t) { t.SetFieldDouble(0, -2.345678); }, " -2.35"},
        SetterCase{"DoubleCutToWidth", 'F', 4, 2, [](CDBF& t) { t.SetFieldDouble(0, 123.456); }, "123."},
        SetterCase{"HugeDoubleCut", 'F', 5, 1, [](CDBF& t) { t.SetFieldDouble(0, 1e300); }, "10000"},
        SetterCase{"FloatWidened", 'F', 8, 4, [](CDBF& t) { t.SetFieldFloat(0, 0.25f); }, "  0.2500"},
        SetterCase{"ShortTextNulPadded", 'C', 5, 0, [](CDBF& t) { t.SetFieldString(0, "ab"); },
                   std::string("ab\0\0\0", 5)},
        SetterCase{"LongTextCut", 'C', 3, 0, [](CDBF& t) { t.SetFieldString(0, "abcdef"); }, "abc"},
        SetterCase{"TextStopsAtNul", 'C', 4, 0,
                   [](CDBF& t) { t.SetFieldString(0, std::string_view("a\0bc", 4)); },
                   std::string("a\0\0\0", 4)},
        SetterCase{"CharKeepsTheRest", 'C', 3, 0,
                   [](CDBF& t) {
                       t.SetFieldString(0, "xyz");
                       t.SetFieldChar(0, 'A');
                   },
                   "Ayz"},
        SetterCase{"RawDouble", 'C', 8, 0, [](CDBF& t) { t.SetFieldRawDouble("F", 1.0); },
                   std::string("\0\0\0\0\0\0\xF0\x3F", 8)},
        SetterCase{"RawDoubleNeedsEightBytes", 'C', 4, 0, [](CDBF& t) { t.SetFieldRawDouble(0, 1.0); },
                   "    "},
        SetterCase{"UnsetFieldIsSpaces", 'C', 3, 0, [](CDBF&) {}, "   "},
        SetterCase{"UnknownIndexChangesNothing", 'C', 3, 0, [](CDBF& t) { t.SetFieldInt(1, 5); }, "   "},
        SetterCase{"UnknownNameChangesNothing", 'C', 3, 0, [](CDBF& t) { t.SetFieldString("f", "x"); },
                   "   "}),
    [](const ::testing::TestParamInfo<SetterCase>& info) { return std::string(info.param.name); });

TEST(CDBFWrite, UnsetFieldKeepsThePreviousRecordsBytes)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        table.AddField("A", 'C', 2, 0);
        table.AddField("B", 'N', 2, 0);
        table.WriteHeader(2);
        table.SetFieldString(0, "xy");
        table.SetFieldInt(1, 1);
        table.AppendRecord();
        table.SetFieldInt(1, 2);
        table.AppendRecord();
    }
    CDBF table;
    ASSERT_TRUE(table.OpenRead(path));
    table.ReadFieldDescriptors();
    ASSERT_TRUE(table.GoToRecord(1));
    EXPECT_EQ(table.GetFieldString("A"), "xy");
    EXPECT_EQ(table.GetFieldInt("B"), 2);
}

TEST(CDBFWrite, OpenRefusesUnknownModesAndUncreatablePaths)
{
    testing::ScratchDir dir;
    CDBF table;
    EXPECT_FALSE(table.Open(dir.file("t.dbf"), 2));
    EXPECT_FALSE(table.Open(dir.file("t.dbf"), -1));
    EXPECT_FALSE(table.Create(dir.file("missing/t.dbf")));
    EXPECT_FALSE(table.OpenRead(dir.file("missing.dbf")));
    EXPECT_FALSE(table.IsOpen());
}

}  // namespace
}  // namespace logora
