// A table whose building stopped early keeps the count it announced; readers
// take the records it holds and can tell how many are missing.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

uint32_t StatedCount(const std::string& path)
{
    const std::vector<uint8_t> bytes = testing::ReadWholeFile(path);
    if (bytes.size() < 8) return UINT32_MAX;
    return bytes[4] | bytes[5] << 8 | bytes[6] << 16 | static_cast<uint32_t>(bytes[7]) << 24;
}

// Builds a table that announces `announced` records, appends `written`
// records of 300 bytes (so they cross window edges), and maybe the end mark.
void Build(const std::string& path, uint32_t announced, uint32_t written, bool endMark)
{
    CDBF table;
    ASSERT_TRUE(table.Create(path));
    table.AddField("Text", 'C', 255, 0);
    table.AddField("Number", 'N', 44, 0);
    table.WriteHeader(announced);
    for (uint32_t r = 0; r < written; ++r) {
        table.SetFieldInt(1, static_cast<int>(r));
        table.AppendRecord();
    }
    if (endMark) table.WriteBytes("\x1A", 1);
}

struct HeldCase
{
    const char* name;
    uint32_t announced;
    uint32_t written;
    bool endMark;
    uint32_t expectedHeld;
};

class CDBFRecordsHeldTest : public ::testing::TestWithParam<HeldCase>
{
};

TEST_P(CDBFRecordsHeldTest, HeaderKeepsTheAnnouncedCountAndReadersSeeTheRecordsOnDisk)
{
    const HeldCase& c = GetParam();
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    Build(path, c.announced, c.written, c.endMark);
    EXPECT_EQ(StatedCount(path), c.announced);
    EXPECT_EQ(testing::ReadWholeFile(path).size(), 97u + 300u * c.written + (c.endMark ? 1 : 0));

    CDBF table;
    ASSERT_TRUE(table.OpenRead(path));
    table.ReadFieldDescriptors();
    EXPECT_EQ(table.GetRecordCount(), c.announced);
    ASSERT_EQ(table.GetRecordsHeld(), c.expectedHeld);
    for (int64_t r = 0; r < table.GetRecordsHeld(); ++r) {
        ASSERT_TRUE(table.GoToRecord(r));
        ASSERT_EQ(table.GetFieldInt("Number"), r);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, CDBFRecordsHeldTest,
                         ::testing::Values(HeldCase{"Complete", 500, 500, true, 500},
                                           HeldCase{"CompleteNoMark", 7, 7, false, 7},
                                           HeldCase{"CancelledMidway", 500, 321, true, 321},
                                           HeldCase{"CancelledWithoutMark", 500, 1, false, 1},
                                           HeldCase{"CancelledBeforeAnyRecord", 500, 0, false, 0},
                                           HeldCase{"MoreThanAnnouncedStaysAsStated", 2, 5, true, 2}),
                         [](const ::testing::TestParamInfo<HeldCase>& info) {
                             return std::string(info.param.name);
                         });

TEST(CDBFRecordsHeld, CopiedLayoutWrittenWithRawBytesKeepsItsCountToo)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF table;
        ASSERT_TRUE(table.Create(path));
        DBFHeader header;
        header.version = kDBFVersion;
        header.recordCount = 10;
        header.headerLength = 65;
        header.recordLength = 4;
        table.WriteRawHeader(header);
        DBFField field;
        std::memcpy(field.name, "Code", 4);
        field.type = 'C';
        field.length = 3;
        table.WriteField(field);
        table.WriteHeaderTerminator();
        for (int r = 0; r < 3; ++r) EXPECT_TRUE(table.WriteBytes(" abc", 4));
        EXPECT_FALSE(table.WriteBytes(std::string(65536, 'x').data(), 65536));
    }
    EXPECT_EQ(StatedCount(path), 10u);
    EXPECT_EQ(testing::ReadWholeFile(path).size(), 65u + 12u);
    CDBF table;
    ASSERT_TRUE(table.OpenRead(path));
    EXPECT_EQ(table.GetRecordsHeld(), 3);
}

TEST(CDBFRecordsHeld, TableBeingReadIsNeverWritten)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    Build(path, 4, 4, false);
    const std::vector<uint8_t> before = testing::ReadWholeFile(path);
    {
        CDBF table;
        ASSERT_TRUE(table.OpenRead(path));
        table.ReadFieldDescriptors();
        EXPECT_FALSE(table.WriteBytes("x", 1));
        table.SetFieldInt(1, 99);
        table.AppendRecord();
    }
    EXPECT_EQ(testing::ReadWholeFile(path), before);
}

}  // namespace
}  // namespace logora
