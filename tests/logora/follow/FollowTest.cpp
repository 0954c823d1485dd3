// A document following its input: the records a Vell ring, a Zarn data file
// or an .OBF datalog gains show as rows equal to those of a fresh open of
// the grown file; a ring that wrapped past what was read, a file that shrank
// or was replaced stop the following with the reason.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "TestContext.h"
#include "VellSamples.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/follow/VellRingFollower.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "tests/logora/alarm/CancelAfter.h"
#include "tests/logora/zarn/TestFiles.h"
#include "tools/obf-gen/ObfSample.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace logora {
namespace {

using Kind = CDatReaderDoc::FollowStep::Kind;
using testing::WriteBytes;

// Every cell text of rows [first, end), row after row.
std::vector<std::string> Rows(CDatReaderDoc& document, int64_t first, int64_t end)
{
    std::vector<std::string> cells;
    for (int64_t row = first; row < end; ++row) {
        for (int field = 0; field < document.GetFieldCount(); ++field) {
            std::string text;
            document.GetValue(row, field, text);
            cells.push_back(text);
        }
    }
    return cells;
}

class Follow : public ::testing::Test
{
protected:
    void SetUp() override { setenv("TMPDIR", temp_.Path().c_str(), 1); }
    void TearDown() override { unsetenv("TMPDIR"); }

    // The last `count` rows of a fresh open of `path`, copied with the files
    // beside it, as one input is open only once.
    std::vector<std::string> FreshLastRows(const std::string& path, int64_t count)
    {
        testing::TempFolder copy;
        for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
            std::filesystem::copy_file(entry.path(), copy.File(entry.path().filename().string()));
        CDatReaderDoc fresh(context_);
        const std::string name = std::filesystem::path(path).filename().string();
        EXPECT_TRUE(fresh.OnOpenDocument(copy.File(name))) << path;
        return Rows(fresh, fresh.GetRecordCount() - count, fresh.GetRecordCount());
    }

    // Takes the new records and checks they are the last `count` rows of a
    // fresh open.
    void ExpectAdded(CDatReaderDoc& document, const std::string& path, int64_t count)
    {
        const auto step = document.TakeNewRecords();
        ASSERT_EQ(step.kind, Kind::Added) << step.why;
        EXPECT_EQ(step.added, count);
        const int64_t rows = document.GetRecordCount();
        EXPECT_EQ(Rows(document, rows - count, rows), FreshLastRows(path, count));
    }

    void ExpectMoved(CDatReaderDoc& document, const std::string& because)
    {
        const auto step = document.TakeNewRecords();
        EXPECT_EQ(step.kind, Kind::Moved);
        EXPECT_NE(step.why.find(because), std::string::npos) << step.why;
        EXPECT_EQ(document.TakeNewRecords().kind, Kind::Moved) << "moved stays moved";
    }

    testing::TempFolder folder_;
    testing::TempFolder temp_;
    test::TestContext context_;
};

// A ring of `slots` whose records 0 .. written - 1 went in turn, the newest
// overwriting the oldest once all slots were used.
std::vector<uint8_t> Ring(int32_t slots, int32_t written)
{
    const int32_t used = std::min(slots, written);
    std::vector<vellgen::LogRecord> records(static_cast<size_t>(used));
    for (int32_t sequence = std::max(0, written - slots); sequence < written; ++sequence)
        records[static_cast<size_t>(sequence % slots)] =
            vellgen::PatternRecord(uint64_t(sequence), 3, 1783000000);
    const bool wrapped = written > slots;
    return vellgen::BuildDatalog(records, wrapped ? written % slots : 0, (written - 1) % slots);
}

TEST_F(Follow, AVellRingThatGrowsThenAdvancesGivesItsNewRecordsUntilItWrapsPastThem)
{
    const std::string log = folder_.File("Trend.log");
    WriteBytes(log, Ring(8, 5));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(log));
    ASSERT_TRUE(document.CanFollow());
    EXPECT_EQ(document.TakeNewRecords().kind, Kind::Nothing);

    WriteBytes(log, Ring(8, 8));
    ExpectAdded(document, log, 3);
    WriteBytes(log, Ring(8, 11));
    ExpectAdded(document, log, 3);
    EXPECT_EQ(document.GetRecordCount(), 11);
    EXPECT_EQ(document.TakeNewRecords().kind, Kind::Nothing);

    WriteBytes(log, Ring(8, 20));
    ExpectMoved(document, "wrapped past the records read");
}

// Following a table read in place copies it first: records the ring
// overwrote before that are no longer there to copy.
TEST_F(Follow, AVellRingReadInPlaceThatWrappedBeforeTheFollowingBeganStopsIt)
{
    const std::string log = folder_.File("Trend.log");
    WriteBytes(log, Ring(8, 8));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(log));
    ASSERT_TRUE(document.IsReadInPlace());
    WriteBytes(log, Ring(8, 10));
    ExpectMoved(document, "its ring wrapped over the records read in place");

    // Begun before, it goes on as from a temporary table.
    WriteBytes(log, Ring(8, 8));
    CDatReaderDoc begun(context_);
    document.OnCloseDocument();
    ASSERT_TRUE(begun.OnOpenDocument(log));
    EXPECT_EQ(begun.TakeNewRecords().kind, Kind::Nothing);
    EXPECT_FALSE(begun.IsReadInPlace());
    WriteBytes(log, Ring(8, 10));
    ExpectAdded(begun, log, 2);
    EXPECT_EQ(begun.GetRecordCount(), 10);
}

// Stopping that copy leaves the table in place and nothing behind it; the
// next follow copies again.
TEST_F(Follow, ACancelledCopyOfATableReadInPlaceLeavesItInPlace)
{
    const std::string log = folder_.File("Trend.log");
    WriteBytes(log, Ring(8, 5));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(log));
    context_.context.progress = [](const std::string&, const std::string&) {
        return std::make_unique<testsupport::CancelAfter>(0);
    };
    EXPECT_EQ(document.TakeNewRecords().kind, Kind::Cancelled);
    EXPECT_TRUE(document.IsReadInPlace());
    EXPECT_TRUE(std::filesystem::is_empty(temp_.Path()));

    context_.context.progress = {};
    WriteBytes(log, Ring(8, 7));
    ExpectAdded(document, log, 2);
    EXPECT_FALSE(document.IsReadInPlace());
}

TEST_F(Follow, AVellRingThatAdvancedWhileItWasConvertedIsFollowedFromTheHeaderTheConversionRead)
{
    const std::string log = folder_.File("Trend.log");
    const std::vector<uint8_t> converted = Ring(8, 10);
    WriteBytes(log, Ring(8, 12));
    VellRingFollower follower(log, 8, {converted.begin(), converted.begin() + 52});
    const InputGrowth growth = follower.Look();
    ASSERT_EQ(growth.kind, InputGrowth::Kind::Added) << growth.why;
    std::vector<uint8_t> expected;
    for (uint64_t sequence : {10, 11})
        vellgen::AppendRecord(expected, vellgen::PatternRecord(sequence, 3, 1783000000));
    EXPECT_EQ(growth.records, expected);
    EXPECT_EQ(follower.RecordsRead(), 10);
}

TEST_F(Follow, NewVellRecordsKeepTheZoneTheDatalogWasOpenedIn)
{
    const std::string log = folder_.File("Trend.log");
    WriteBytes(log, Ring(8, 4));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(log));
    // Another datalog opened meanwhile in another zone.
    int tokyo = -1;
    for (const auto& zone : LoadTimeZoneTable())
        if (zone->DisplayName.find("Asia/Tokyo") != std::string::npos) tokyo = static_cast<int>(zone->Index);
    ASSERT_GE(tokyo, 0);
    const int opened = context_.settings.DestTimeZone();
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, tokyo);
    WriteBytes(log, Ring(8, 7));
    const auto step = document.TakeNewRecords();
    ASSERT_EQ(step.kind, Kind::Added) << step.why;
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, opened);
    EXPECT_EQ(Rows(document, 4, 7), FreshLastRows(log, 3));
}

TEST_F(Follow, AVellDatalogWithoutTagFileListsTheTagsItsNewRecordsBring)
{
    const std::string log = folder_.File("Trend.log");
    std::vector<vellgen::LogRecord> records;
    for (uint16_t tag : {1, 2, 1, 5}) records.push_back(vellgen::Int32Record(1783000000, 0, tag, tag));
    WriteBytes(log, vellgen::BuildDatalog({records.begin(), records.begin() + 3}, 0, 2));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(log));
    EXPECT_EQ(document.GetTagList(), (std::vector<std::string>{"0", "1"}));
    WriteBytes(log, vellgen::BuildDatalog(records, 0, 3));
    ExpectAdded(document, log, 1);
    EXPECT_EQ(document.GetTagList(), (std::vector<std::string>{"0", "1", "2", "3", "4"}));
}

TEST_F(Follow, AVellDatalogReplacedOrCutShortStopsTheFollowing)
{
    const std::string log = folder_.File("Trend.log");
    WriteBytes(log, Ring(8, 6));
    CDatReaderDoc replaced(context_);
    ASSERT_TRUE(replaced.OnOpenDocument(log));
    WriteBytes(log, vellgen::BuildTagFile({u"A"}));
    ExpectMoved(replaced, "no longer begins with a datalog header");
    replaced.OnCloseDocument();

    WriteBytes(log, Ring(8, 6));
    CDatReaderDoc cut(context_);
    ASSERT_TRUE(cut.OnOpenDocument(log));
    WriteBytes(log, Ring(8, 3));
    ExpectMoved(cut, "shrank");
}

TEST_F(Follow, AZarnDataFileWithOrWithoutTagFileGivesTheRecordsAppended)
{
    const std::string data = folder_.File("Plant.DAT");
    const auto write = [&](uint64_t records) {
        WriteBytes(data, zarngen::ZarnDataFileBytes({records, 4, false}));
    };
    write(10);
    WriteBytes(folder_.File("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(4)));
    CDatReaderDoc merged(context_);
    ASSERT_TRUE(merged.OnOpenDocument(data));
    ASSERT_TRUE(merged.CanFollow());
    write(25);
    ExpectAdded(merged, data, 15);
    // More than one look hands over: taken in one go all the same.
    const uint64_t many = 25 + InputFollower::kMostRecordsPerLook + 5;
    write(many);
    ExpectAdded(merged, data, InputFollower::kMostRecordsPerLook + 5);
    merged.OnCloseDocument();

    std::remove(folder_.File("Plant(Tagname).DAT").c_str());
    CDatReaderDoc loadedAsItIs(context_);
    ASSERT_TRUE(loadedAsItIs.OnOpenDocument(data));
    write(many + 15);
    ExpectAdded(loadedAsItIs, data, 15);
    write(30);
    ExpectMoved(loadedAsItIs,
                "shrank: it holds 30 records, fewer than the " + std::to_string(many + 15) + " read");
}

TEST_F(Follow, ANewRecordOfATagTheTagFileDoesNotNameStopsTheFollowing)
{
    const std::string data = folder_.File("Plant.DAT");
    WriteBytes(data, zarngen::ZarnDataFileBytes({4, 8, false}));
    WriteBytes(folder_.File("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(4)));
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(data));
    WriteBytes(data, zarngen::ZarnDataFileBytes({6, 8, false}));
    ExpectMoved(document, "a new record names tag \"    4\"");
    EXPECT_EQ(document.GetRecordCount(), 4);
}

TEST_F(Follow, AnObfDatalogGivesTheRecordsAppendedUntilItIsReplaced)
{
    const std::string obf = folder_.File("Plant.OBF");
    obfgen::ObfSample sample;
    sample.records = obfgen::PlantRecords(12);
    obfgen::WriteObfFile(obf, sample);
    CDatReaderDoc document(context_);
    ASSERT_TRUE(document.OnOpenDocument(obf));
    sample.records = obfgen::PlantRecords(20);
    obfgen::WriteObfFile(obf, sample);
    ExpectAdded(document, obf, 8);

    sample.records = obfgen::PlantRecords(30);
    sample.records[19].value += 1;
    obfgen::WriteObfFile(obf, sample);
    ExpectMoved(document, "record 20 is no longer the one read");
}

}  // namespace
}  // namespace logora
