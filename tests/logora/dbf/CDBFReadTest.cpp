#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "tests/logora/dbf/DBFBytesBuilder.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

using testing::BuiltField;
using testing::DBFBytesBuilder;

// Writes the built bytes and opens them as a table with its fields loaded.
class BuiltTable
{
public:
    explicit BuiltTable(const DBFBytesBuilder& builder)
    {
        path_ = dir_.file("t.dbf");
        testing::WriteWholeFile(path_, builder.bytes());
        opened = table.OpenRead(path_) && table.ReadFieldDescriptors();
    }
    testing::ScratchDir dir_;
    std::string path_;
    CDBF table;
    bool opened = false;
};

DBFBytesBuilder ForeignTable()
{
    DBFBytesBuilder b;
    // Another writer: space padding, stored displacements of 0, a deleted record.
    b.field({"NAME", 'C', 6}).field({"QTY", 'N', 5}).field({"PRICE", 'F', 8, 2}).field({"DAY", 'D', 8});
    b.field({"FLAG", 'L', 1});
    b.record({"bolt", "   12", "    1.25", "20151231", "T"});
    b.record({"nut", "  -40", "   -0.50", "20000101", "F"}, '*');
    b.record({"washer", "99999", "12345.67", "19991231", "?"});
    return b;
}

TEST(CDBFRead, ReadsTablesOfAnotherWriter)
{
    BuiltTable built(ForeignTable());
    ASSERT_TRUE(built.opened);
    CDBF& t = built.table;
    EXPECT_EQ(t.GetRecordCount(), 3);
    ASSERT_EQ(t.GetFieldCount(), 5);
    // Displacements are recomputed whatever the descriptors claim.
    const uint32_t expected[] = {1, 7, 12, 20, 28};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(t.GetField(i).displacement, expected[i]) << i;
    EXPECT_EQ(t.GetField(2).decimals, 2);

    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.GetFieldString("NAME"), "bolt  ");
    EXPECT_EQ(t.GetFieldInt("QTY"), 12);
    EXPECT_EQ(t.GetFieldLong(1), 12);
    EXPECT_DOUBLE_EQ(t.GetFieldDouble("PRICE"), 1.25);
    EXPECT_FLOAT_EQ(t.GetFieldFloat(2), 1.25f);
    EXPECT_EQ(t.GetFieldString("DAY"), "20151231");
    EXPECT_EQ(t.GetFieldString("FLAG"), "T");  // any other type reads as text

    const uint8_t* record = nullptr;
    ASSERT_TRUE(t.ReadRecord(1, &record));
    EXPECT_EQ(record[0], '*');
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record) + 1, 6), "nut   ");
    EXPECT_EQ(t.GetFieldInt("QTY"), -40);

    ASSERT_TRUE(t.GoToRecord(2));
    char text[9];
    t.GetFieldText("PRICE", text);
    EXPECT_STREQ(text, "12345.67");
    char raw[3] = {'x', 'x', 'x'};
    t.GetFieldBytes(0, raw, 3);
    EXPECT_EQ(std::string(raw, 3), "was");
}

TEST(CDBFRead, RecordBoundsFollowTheFileNotTheCount)
{
    DBFBytesBuilder b;
    b.field({"N", 'N', 3}).statedRecordCount(1).endOfFileMark(false);
    b.record({"  1"}).record({"  2"});
    BuiltTable built(b);
    ASSERT_TRUE(built.opened);
    CDBF& t = built.table;
    EXPECT_FALSE(t.GoToRecord(-1));
    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.GetFieldInt(0), 1);
    // Beyond the stated count but inside the file: readable.
    ASSERT_TRUE(t.GoToRecord(1));
    EXPECT_EQ(t.GetFieldInt(0), 2);
    // One past the last record of a file ending right after its records.
    EXPECT_FALSE(t.GoToRecord(2));
    EXPECT_EQ(t.GetFieldInt(0), 2);
    const uint8_t* record = nullptr;
    EXPECT_FALSE(t.ReadRecord(INT64_MAX, &record));
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(record), 4), "   2");
}

TEST(CDBFRead, BeforeAnyRecordGettersYieldEmptyValues)
{
    BuiltTable built(ForeignTable());
    ASSERT_TRUE(built.opened);
    CDBF& t = built.table;
    EXPECT_EQ(t.GetFieldString(0), "");
    EXPECT_EQ(t.GetFieldInt("QTY"), 0);
    const uint8_t* record = nullptr;
    EXPECT_FALSE(t.ReadRecord(-1, &record));
    EXPECT_NE(record, nullptr);
}

TEST(CDBFRead, UnknownFieldsYieldEmptyValues)
{
    BuiltTable built(ForeignTable());
    ASSERT_TRUE(built.opened);
    CDBF& t = built.table;
    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.FindField("name"), -1);  // names compare case-sensitively
    EXPECT_EQ(t.FindField("NAME"), 0);
    EXPECT_EQ(t.GetFieldString("name"), "");
    EXPECT_EQ(t.GetFieldInt(5), 0);
    EXPECT_EQ(t.GetFieldDouble(-1), 0.0);
    char text[4] = {'x', 'x', 'x', 'x'};
    t.GetFieldText(17, text);
    EXPECT_EQ(text[0], '\0');
    EXPECT_EQ(t.GetField(9).length, 0);
}

TEST(CDBFRead, LongerHeaderYieldsTheDescriptorsItsLengthImplies)
{
    DBFBytesBuilder b;
    b.field({"A", 'C', 2}).field({"B", 'C', 3}).headerPadding(70);
    b.record({"xy", "abc"});
    BuiltTable built(b);
    ASSERT_TRUE(built.opened);
    CDBF& t = built.table;
    // (32 + 2 x 32 + 1 + 70 - 32) / 32 = 4: two are read from the padding.
    EXPECT_EQ(t.GetFieldCount(), 4);
    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.GetFieldString("A"), "xy");
    EXPECT_EQ(t.GetFieldString("B"), "abc");
}

TEST(CDBFRead, FieldsBeyondTheRecordLengthReadOnlyTheirPartInside)
{
    DBFBytesBuilder b;
    b.field({"A", 'C', 2}).field({"B", 'C', 4});
    b.record({"xy", "abcd"});
    std::vector<uint8_t> bytes = b.bytes();
    bytes[10] = 5;  // claim a record length shorter than the fields
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    testing::WriteWholeFile(path, bytes);
    CDBF t;
    ASSERT_TRUE(t.OpenRead(path));
    t.ReadFieldDescriptors();
    ASSERT_TRUE(t.GoToRecord(0));
    EXPECT_EQ(t.GetFieldString("B"), "ab");
    char text[5];
    t.GetFieldText("B", text);
    EXPECT_EQ(std::string(text, 5), std::string("ab\0\0\0", 5));
}

TEST(CDBFRead, FileShorterThanAHeaderCannotBeOpened)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    testing::WriteWholeFile(path, std::vector<uint8_t>(31, 3));
    CDBF t;
    EXPECT_FALSE(t.OpenRead(path));
    EXPECT_FALSE(t.IsOpen());
    EXPECT_FALSE(t.GoToRecord(0));
}

TEST(CDBFRead, RoundTripOfEveryTypeAcrossWindowEdges)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    const int records = 3000;  // 43-byte records: many straddle a window edge
    {
        CDBF t;
        ASSERT_TRUE(t.Create(path));
        t.AddField("Date", 'D', 8, 0);
        t.AddField("Tag", 'C', 10, 0);
        t.AddField("Number", 'N', 6, 0);
        t.AddField("Ratio", 'F', 10, 3);
        t.AddField("Value", 'C', 8, 0);
        t.WriteHeader(records);
        for (int r = 0; r < records; ++r) {
            char date[9];
            std::snprintf(date, sizeof date, "%4d%02d%02d", 2000 + r % 30, r % 12 + 1, r % 28 + 1);
            t.SetFieldString("Date", date);
            t.SetFieldString("Tag", "Tag" + std::to_string(r));
            t.SetFieldLong("Number", -r);
            t.SetFieldDouble("Ratio", r / 8.0);
            t.SetFieldRawDouble("Value", r * 0.1);
            t.AppendRecord();
        }
    }
    CDBF t;
    ASSERT_TRUE(t.OpenRead(path));
    ASSERT_TRUE(t.ReadFieldDescriptors());
    ASSERT_EQ(t.GetRecordCount(), records);
    ASSERT_EQ(t.GetRecordLength(), 43u);
    for (int r = records - 1; r >= 0; r -= 7) {
        ASSERT_TRUE(t.GoToRecord(r));
        EXPECT_EQ(t.GetFieldString("Tag"), "Tag" + std::to_string(r));
        EXPECT_EQ(t.GetFieldLong("Number"), -r);
        EXPECT_DOUBLE_EQ(t.GetFieldDouble("Ratio"), r / 8.0);
        double value = 0;
        t.GetFieldBytes("Value", &value, sizeof value);
        EXPECT_EQ(value, r * 0.1);
        char date[9];
        std::snprintf(date, sizeof date, "%4d%02d%02d", 2000 + r % 30, r % 12 + 1, r % 28 + 1);
        EXPECT_EQ(t.GetFieldString("Date"), date);
    }
    // In runs, each inside one read window (a straddling record alone):
    // together every record in order.
    const uint8_t* run = nullptr;
    EXPECT_EQ(t.ReadRecords(0, 2, &run), 2);
    int64_t next = 0, runs = 0;
    while (next < records) {
        const int64_t count = t.ReadRecords(next, records - next, &run);
        ASSERT_GT(count, 0);
        for (int64_t i = 0; i < count; ++i) {
            const char* tag = reinterpret_cast<const char*>(run + i * 43 + 9);
            ASSERT_EQ(std::string(tag, strnlen(tag, 10)), "Tag" + std::to_string(next + i));
        }
        next += count;
        ++runs;
    }
    EXPECT_GE(runs, 3);
    EXPECT_EQ(t.ReadRecords(records, 1, &run), 0);
}

// In a child process, so that a fault would show as a signal: with the table
// cut short behind the reader's back, the failed read leaves an empty current
// record, never one from a window that was not read whole.
void ReadAfterTheTableIsCutShort(const std::string& path, int64_t farRecord)
{
    CDBF t;
    if (!t.OpenRead(path) || !t.ReadFieldDescriptors() || !t.GoToRecord(0)) std::_Exit(2);
    if (::truncate(path.c_str(), platform::kMappingViewSize + 10) != 0) std::_Exit(3);
    const uint8_t* record = nullptr;
    const bool read = t.ReadRecord(farRecord, &record);
    const bool empty = t.GetFieldString(0).empty() && record != nullptr && record[0] == 0;
    std::_Exit(!read && empty ? 0 : 1);
}

TEST(CDBFReadDeathTest, RecordInAWindowThatCannotBeReadReadsAsFailure)
{
    DBFBytesBuilder b;
    b.field({"T", 'C', 99});
    for (int r = 0; r < 2000; ++r) b.record({"record " + std::to_string(r)});
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    testing::WriteWholeFile(path, b.bytes());
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(ReadAfterTheTableIsCutShort(path, 1000), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace logora
