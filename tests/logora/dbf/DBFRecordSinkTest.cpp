#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace logora {
namespace {

// Keeps what a table being built hands over.
class RecordingSink : public DBFRecordSink
{
public:
    void BeginRecords(const CDBF& table) override
    {
        ++begun;
        recordLength = table.GetRecordLength();
        announced = table.GetRecordCount();
        for (int i = 0; i < table.GetFieldCount(); ++i) fields.push_back(table.GetField(i));
    }
    void TakeRecord(const uint8_t* record) override { records.emplace_back(record, record + recordLength); }

    int begun = 0;
    uint32_t recordLength = 0;
    int64_t announced = 0;
    std::vector<DBFField> fields;
    std::vector<std::vector<uint8_t>> records;
};

void BuildSample(CDBF& table)
{
    table.AddField("Tag", 'C', 6, 0);
    table.AddField("Count", 'N', 4, 0);
    table.AddField("Value", 'C', 8, 0);
    table.WriteHeader(2);
    table.SetFieldString(0, "Pump");
    table.SetFieldInt(1, 12);
    table.SetFieldRawDouble(2, 2.5);
    table.AppendRecord();
    table.SetFieldString(0, "Valve7");
    table.SetFieldInt(1, -3);
    table.AppendRecord();
    EXPECT_TRUE(table.WriteBytes("\x1A", 1));
}

TEST(DBFRecordSink, HandsOverTheLayoutAndTheRecordsAFileWouldHold)
{
    testing::ScratchDir dir;
    const std::string path = dir.file("t.dbf");
    {
        CDBF file;
        ASSERT_TRUE(file.Create(path));
        BuildSample(file);
    }
    RecordingSink sink;
    {
        CDBF streamed;
        ASSERT_TRUE(streamed.OpenSink(sink));
        EXPECT_FALSE(streamed.OpenSink(sink));
        BuildSample(streamed);
    }
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 1) << "the sink writes no file";

    CDBF table;
    ASSERT_TRUE(table.OpenRead(path));
    ASSERT_TRUE(table.ReadFieldDescriptors());
    EXPECT_EQ(sink.begun, 1);
    EXPECT_EQ(sink.announced, 2);
    EXPECT_EQ(sink.recordLength, table.GetRecordLength());
    ASSERT_EQ(sink.fields.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sink.fields[i].Name(), table.GetField(i).Name());
        EXPECT_EQ(sink.fields[i].displacement, table.GetField(i).displacement);
    }
    ASSERT_EQ(sink.records.size(), 2u);
    for (int r = 0; r < 2; ++r) {
        const uint8_t* record = nullptr;
        ASSERT_TRUE(table.ReadRecord(r, &record));
        EXPECT_EQ(sink.records[r], std::vector<uint8_t>(record, record + table.GetRecordLength())) << r;
    }
}

}  // namespace
}  // namespace logora
