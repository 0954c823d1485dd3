// What one record becomes: value types, flags, milliseconds, tag columns.
#include <cmath>
#include <cstring>

#include "VellTestSupport.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora::test {
namespace {

using namespace vellgen;

// 2026-07-02 13:46:40 UTC
constexpr uint32_t kSummer = 1783000000;

class RecordFieldsTest : public VellTest
{
};

TEST_F(RecordFieldsTest, ValueTypesAndFlags)
{
    std::vector<LogRecord> slots = {
        Int32Record(kSummer, 0, 1, 16777217),            // 2^24 + 1 stays exact
        Int32Record(kSummer, 1, 1, -2147483647 - 1, 2),  // type 2 is a 32-bit integer too
        Int16Record(kSummer, 2, 1, -1234),               // upper value bytes ignored
        SingleRecord(kSummer, 3, 1, 1.1f),
        NoValueRecord(kSummer, 4, 1, 4, 0x12345678),
        NoValueRecord(kSummer, 5, 1, 7, 0x12345678),
        Int32Record(kSummer, 6, 1, 5, 0x0018),  // both markers: E wins
        Int32Record(kSummer, 7, 1, 5, 0x0008),
        Int32Record(kSummer, 8, 1, 5, 0x8000),
        Int32Record(kSummer, 9, 1, 5, 0x0010),
    };
    writeLog("values.log", BuildDatalog(slots, 0, static_cast<int32_t>(slots.size()) - 1));
    ConvertedTable table = convert("values.log");
    ASSERT_TRUE(table.converted) << table.error;
    ASSERT_EQ(table.rows.size(), slots.size());

    const double expectedValues[] = {
        16777217.0, -2147483648.0, -1234.0, static_cast<double>(1.1f), 0, 0, 5, 5, 5, 5};
    const char* expectedMarkers[] = {" ", " ", " ", " ", " ", " ", "E", "B", " ", "E"};
    const char* expectedStatus[] = {" ", " ", " ", " ", " ", " ", " ", " ", "E", " "};
    for (size_t i = 0; i < slots.size(); ++i) {
        EXPECT_EQ(table.rows[i].value, expectedValues[i]) << i;
        EXPECT_EQ(table.rows[i].marker, expectedMarkers[i]) << i;
        EXPECT_EQ(table.rows[i].status, expectedStatus[i]) << i;
    }
}

TEST_F(RecordFieldsTest, MillisecondsAreCutToThreeCharacters)
{
    const std::pair<int32_t, const char*> cases[] = {{0, "  0"},     {5, "  5"},         {999, "999"},
                                                     {1000, "100"},  {4567, "456"},      {-1, " -1"},
                                                     {-1000, "-10"}, {2147483647, "214"}};
    std::vector<LogRecord> slots;
    for (const auto& [ms, text] : cases) slots.push_back(Int32Record(kSummer, ms, 1, 0));
    writeLog("ms.log", BuildDatalog(slots, 0, static_cast<int32_t>(slots.size()) - 1));
    ConvertedTable table = convert("ms.log");
    ASSERT_EQ(table.rows.size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(table.rows[i].millitm, cases[i].second) << i;
}

TEST_F(RecordFieldsTest, TagIndexLayoutWithoutTagFile)
{
    std::vector<LogRecord> slots = {Int32Record(kSummer, 0, 1, 0), Int32Record(kSummer, 0, 0, 0),
                                    Int32Record(kSummer, 0, 7, 0), Int32Record(kSummer, 0, 3, 0),
                                    Int32Record(kSummer, 0, 65535, 0)};
    slots.pop_back();
    writeLog("X.LOG", BuildDatalog(slots, 0, 3));
    ConvertedTable table = convert("X.LOG");
    ASSERT_TRUE(table.converted);
    EXPECT_EQ(table.fieldNames, (std::vector<std::string>{"Date:D8", "Time:C8", "Millitm:N3", "Marker:C1",
                                                          "TagIndex:C10", "Status:C1", "Value:C8"}));
    EXPECT_EQ(table.recordLength, 40u);
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[0].tag, "0");
    EXPECT_EQ(table.rows[1].tag, "-1");  // tag number 0
    EXPECT_EQ(table.rows[2].tag, "6");
    EXPECT_EQ(table.tagList, (std::vector<std::string>{"0", "1", "2", "3", "4", "5", "6"}));
}

TEST_F(RecordFieldsTest, TagListHoldsZeroWhenNoTagWasSeen)
{
    writeLog("none.log", BuildDatalog({Int32Record(kSummer, 0, 0, 0)}, 0, 0));
    EXPECT_EQ(convert("none.log").tagList, std::vector<std::string>{"0"});
    writeLog("empty.log", BuildDatalog({}, 0, 0));
    ConvertedTable empty = convert("empty.log");
    EXPECT_TRUE(empty.converted);
    EXPECT_EQ(empty.tagList, std::vector<std::string>{"0"});
}

TEST_F(RecordFieldsTest, LocalTimeAndChosenZone)
{
    ScopedTz tz("America/New_York");
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, -1);
    // 29 March 2026, 00:59:59 and 01:00:00 UTC: the European change.
    std::vector<LogRecord> slots = {Int32Record(1774745999, 0, 1, 0), Int32Record(1774746000, 0, 1, 0)};
    writeLog("zone.log", BuildDatalog(slots, 0, 1));
    ConvertedTable local = convert("zone.log");
    ASSERT_EQ(local.rows.size(), 2u);
    EXPECT_EQ(local.rows[0].date, "20260328");
    EXPECT_EQ(local.rows[0].time, "20:59:59");

    // The zone at the position of "(UTC+01:00) Europe/Berlin".
    std::string current;
    const TimeZoneTable& zones = LoadTimeZoneTable(&current);
    int berlin = -1;
    for (size_t i = 0; i < zones.size(); ++i) {
        if (zones[i]->DisplayName == "(UTC+01:00) Europe/Berlin") berlin = static_cast<int>(i);
    }
    ASSERT_GE(berlin, 0);
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, berlin);
    ConvertedTable zoned = convert("zone.log");
    context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, -1);
    ASSERT_EQ(zoned.rows.size(), 2u);
    EXPECT_EQ(zoned.rows[0].date, "20260329");
    EXPECT_EQ(zoned.rows[0].time, "01:59:59");
    EXPECT_EQ(zoned.rows[1].time, "03:00:00");
}

}  // namespace
}  // namespace logora::test
