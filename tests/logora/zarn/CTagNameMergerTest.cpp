// Merging a Zarn data file with its tag file: the merged layout, the cases
// that load the data file as it is, and damaged inputs.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/zarn/CTagNameMerger.h"
#include "logora/engine/zarn/TagFilePath.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/zarn-gen/ZarnGen.h"

#include "CaseName.h"

namespace logora {
namespace {

using testing::ReadBytes;
using testing::U16At;
using testing::U32At;
using testing::WriteBytes;
using zarngen::DbfFieldSpec;
using zarngen::DbfHeaderBytes;
using zarngen::DbfRecord;
using zarngen::ZarnSampleSpec;

class Merge : public ::testing::Test
{
protected:
    std::string Data() const { return folder_.File("Plant(1).DAT"); }
    std::string Tags() const { return folder_.File("Plant(Tagname).DAT"); }
    std::string Output() const { return folder_.File("TMPmerged.tmp"); }

    void WriteSample(const ZarnSampleSpec& spec)
    {
        WriteBytes(Data(), zarngen::ZarnDataFileBytes(spec));
        WriteBytes(Tags(), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(spec.tagCount)));
    }

    // Open, then the merge into the output; false when Open refuses, throws
    // as the merge does.
    bool RunMerge()
    {
        WriteBytes(Output(), {});
        CTagNameMerger merger;
        if (!merger.Open(Data())) return false;
        logora::ConvertToTableFile(merger, Output(), {});
        return true;
    }

    // The merged table with its fields loaded and `record` current; `record`
    // -1 reads none.
    void OpenMerged(int64_t record = -1)
    {
        ASSERT_TRUE(merged_.OpenRead(Output()));
        merged_.ReadFieldDescriptors();
        if (record >= 0) {
            ASSERT_TRUE(merged_.GoToRecord(record));
        }
    }

    testing::TempFolder folder_;
    CDBF merged_;
};

TEST_F(Merge, RecordsCarryTagNames)
{
    const ZarnSampleSpec spec{7, 3, false};
    WriteSample(spec);
    ASSERT_TRUE(RunMerge());

    const auto input = ReadBytes(Data());
    const auto merged = ReadBytes(Output());
    EXPECT_EQ(U16At(merged, 10), 39 + 250);
    EXPECT_EQ(U16At(merged, 8), U16At(input, 8));
    EXPECT_EQ(U32At(merged, 4), 7u);
    EXPECT_EQ(std::memcmp(merged.data(), input.data(), 10), 0);
    const uint32_t headerLength = U16At(input, 8);
    EXPECT_EQ(merged[headerLength - 1], 0);              // zero in place of the terminator
    EXPECT_EQ(merged.size(), headerLength + 7u * 289u);  // no end-of-file byte

    ASSERT_NO_FATAL_FAILURE(OpenMerged());
    const DBFField tagName = merged_.GetField(3);
    EXPECT_EQ(tagName.Name(), "Tagname");
    EXPECT_EQ(tagName.type, 'C');
    EXPECT_EQ(tagName.length, 255);
    EXPECT_EQ(tagName.decimals, 0);
    EXPECT_EQ(U32At(merged, 32 * 4 + 12), 1u + 8 + 8 + 3);
    // Other descriptors byte for byte.
    for (int field : {0, 1, 2, 4, 5, 6}) {
        EXPECT_EQ(std::memcmp(&merged[32 * (field + 1)], &input[32 * (field + 1)], 32), 0) << field;
    }
    const auto names = zarngen::ZarnTagNames(3);
    for (int r = 0; r < 7; ++r) {
        ASSERT_TRUE(merged_.GoToRecord(r));
        EXPECT_EQ(merged_.GetFieldString(3), names[r % 3]);
        const uint8_t* record = nullptr;
        merged_.ReadRecord(r, &record);
        const uint8_t* source = &input[headerLength + r * 39];
        EXPECT_EQ(std::memcmp(record, source, 20), 0);
        EXPECT_EQ(std::memcmp(record + 20 + 255, source + 25, 14), 0);
    }
}

TEST_F(Merge, MissingTagFileIsRefused)
{
    WriteBytes(Data(), zarngen::ZarnDataFileBytes({3, 2, false}));
    EXPECT_FALSE(RunMerge());
}

TEST_F(Merge, TagFileItselfIsRefused)
{
    WriteSample({3, 2, false});
    CTagNameMerger merger;
    EXPECT_FALSE(merger.Open(Tags()));
    EXPECT_TRUE(IsTagFilePath("/x/Plant(TAGNAME).dat"));
}

TEST_F(Merge, DataFileWithoutTagIndexIsRefused)
{
    std::vector<DbfFieldSpec> fields = {{"Date", 'D', 8, 0}, {"Value", 'C', 8, 0}};
    auto bytes = DbfHeaderBytes(fields, 1);
    DbfRecord record(fields);
    bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
    WriteBytes(Data(), bytes);
    WriteBytes(Tags(), zarngen::ZarnTagFileBytes({"A"}));
    EXPECT_FALSE(RunMerge());
}

TEST_F(Merge, HeaderLengthPastTheEndIsRefused)
{
    WriteSample({2, 2, false});
    auto bytes = ReadBytes(Data());
    bytes[8] = 0xFF;
    bytes[9] = 0x7F;
    WriteBytes(Data(), bytes);
    EXPECT_FALSE(RunMerge());
}

TEST_F(Merge, TruncatedTagFileIsRefused)
{
    WriteSample({2, 3, false});
    auto tags = ReadBytes(Tags());
    tags.resize(tags.size() - 10);
    WriteBytes(Tags(), tags);
    EXPECT_FALSE(RunMerge());
}

TEST_F(Merge, ShortFirstTagFieldGivesShortNames)
{
    WriteBytes(Data(), zarngen::ZarnDataFileBytes({3, 2, false}));
    std::vector<DbfFieldSpec> fields = {{"Tagname", 'C', 4, 0}, {"Other", 'C', 6, 0}};
    auto tags = DbfHeaderBytes(fields, 2);
    for (const char* name : {"Flow", "Heat"}) {
        DbfRecord record(fields);
        record.SetText(0, name);
        record.SetText(1, "junk!!");
        tags.insert(tags.end(), record.Bytes().begin(), record.Bytes().end());
    }
    WriteBytes(Tags(), tags);
    ASSERT_TRUE(RunMerge());
    ASSERT_NO_FATAL_FAILURE(OpenMerged(1));
    EXPECT_EQ(merged_.GetFieldString(3), "Heat");
}

TEST_F(Merge, LongRecordsKeepTheirTail)
{
    std::vector<DbfFieldSpec> fields = {
        {"TagIndex", 'N', 5, 0}, {"Note", 'C', 255, 0}, {"More", 'C', 100, 0}};
    auto bytes = DbfHeaderBytes(fields, 1);
    DbfRecord record(fields);
    record.SetNumber(0, 1);
    record.SetText(2, std::string(100, 'z'));
    bytes.insert(bytes.end(), record.Bytes().begin(), record.Bytes().end());
    WriteBytes(Data(), bytes);
    WriteBytes(Tags(), zarngen::ZarnTagFileBytes({"First", "Second"}));
    ASSERT_TRUE(RunMerge());
    ASSERT_NO_FATAL_FAILURE(OpenMerged(0));
    EXPECT_EQ(merged_.GetFieldString(0), "Second");
    EXPECT_EQ(merged_.GetFieldString(2), std::string(100, 'z'));
}

TEST_F(Merge, LongerHeaderKeepsRecordsAligned)
{
    WriteSample({2, 2, false});
    auto bytes = ReadBytes(Data());
    const uint16_t headerLength = U16At(bytes, 8);
    bytes.insert(bytes.begin() + headerLength, {0xAA, 0xBB, 0xCC});
    bytes[8] = uint8_t(headerLength + 3);
    WriteBytes(Data(), bytes);
    ASSERT_TRUE(RunMerge());
    ASSERT_NO_FATAL_FAILURE(OpenMerged(1));
    EXPECT_EQ(merged_.GetFieldString(3), "Valve2");
    EXPECT_EQ(merged_.GetFieldString(0), "20240115");
}

struct BadTagIndex
{
    const char* text;
};

class UnusableTagNumber : public Merge, public ::testing::WithParamInterface<BadTagIndex>
{
};

TEST_P(UnusableTagNumber, StopsTheMergeAndKeepsWrittenRecords)
{
    WriteSample({4, 3, false});
    auto bytes = ReadBytes(Data());
    const size_t thirdTagIndex = U16At(bytes, 8) + 2 * 39 + 20;
    std::memcpy(&bytes[thirdTagIndex], GetParam().text, 5);
    WriteBytes(Data(), bytes);
    EXPECT_THROW(RunMerge(), ConversionError);
    ASSERT_NO_FATAL_FAILURE(OpenMerged());
    EXPECT_EQ(merged_.GetRecordsHeld(), 2);
    EXPECT_EQ(merged_.GetRecordCount(), 4);
    EXPECT_EQ(ReadBytes(Output()).size(), U16At(bytes, 8) + 2u * 289u);
}

INSTANTIATE_TEST_SUITE_P(Texts, UnusableTagNumber,
                         ::testing::Values(BadTagIndex{"    3"}, BadTagIndex{"   -1"}, BadTagIndex{"     "},
                                           BadTagIndex{"\0\0\0\0\0"}, BadTagIndex{"  abc"}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST_F(Merge, TruncatedDataFileStopsAfterLastWholeRecord)
{
    WriteSample({5, 2, false});
    auto bytes = ReadBytes(Data());
    bytes.resize(bytes.size() - 39 - 10);
    WriteBytes(Data(), bytes);
    EXPECT_THROW(RunMerge(), ConversionError);
    ASSERT_NO_FATAL_FAILURE(OpenMerged());
    EXPECT_EQ(merged_.GetRecordsHeld(), 3);
    EXPECT_EQ(merged_.GetRecordCount(), 5);
}

struct TagPathCase
{
    const char* data;
    const char* tags;
};

class TagPath : public ::testing::TestWithParam<TagPathCase>
{
};

TEST_P(TagPath, DerivedFromTheFileName)
{
    EXPECT_EQ(TagFilePathFor(GetParam().data), GetParam().tags);
}

INSTANTIATE_TEST_SUITE_P(Names, TagPath,
                         ::testing::Values(TagPathCase{"/nowhere/Plant(1).DAT",
                                                       "/nowhere/Plant(Tagname).DAT"},
                                           TagPathCase{"/nowhere/Log.DAT", "/nowhere/Log(Tagname).DAT"},
                                           TagPathCase{"/now(here)/Log.DAT", "/now(here)/Log(Tagname).DAT"},
                                           TagPathCase{"/nowhere/A(b)(2).dat", "/nowhere/A(b)(Tagname).DAT"}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.data); });

TEST_F(Merge, TagFileFoundWhateverItsLetterCase)
{
    WriteBytes(Data(), zarngen::ZarnDataFileBytes({2, 2, false}));
    WriteBytes(folder_.File("Plant(TAGNAME).dat"), zarngen::ZarnTagFileBytes({"A", "B"}));
    EXPECT_EQ(TagFilePathFor(Data()), folder_.File("Plant(TAGNAME).dat"));
    EXPECT_TRUE(RunMerge());
}

}  // namespace
}  // namespace logora
