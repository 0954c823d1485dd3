#include "logora/engine/timezone/TimeZoneTable.h"

#include <gtest/gtest.h>

#include <set>

#include "logora/engine/timezone/ZoneRecordRule.h"
#include "platform/tzdb/ZoneRule.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora {
namespace {

platform::ZoneRule rule(const char* name, int32_t bias)
{
    platform::ZoneRule r;
    r.name = name;
    r.biasMinutes = bias;
    return r;
}

TEST(TimeZoneTableTest, OrderedByOffsetThenName)
{
    auto table =
        BuildTimeZoneTable({rule("Europe/Paris", -60), rule("America/St_Johns", 210),
                            rule("Europe/Berlin", -60), rule("Asia/Kathmandu", -345), rule("Etc/UTC", 0)});
    std::vector<std::string> names;
    for (size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i]->Index, i);
        names.push_back(table[i]->DisplayName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"(UTC-03:30) America/St_Johns", "(UTC+00:00) Etc/UTC",
                                               "(UTC+01:00) Europe/Berlin", "(UTC+01:00) Europe/Paris",
                                               "(UTC+05:45) Asia/Kathmandu"}));
    TimeZoneRecord berlin = DecodeTimeZoneRecord(table[2]->TimeZoneRecord);
    EXPECT_EQ(berlin.Bias, -60);
    EXPECT_EQ(berlin.StandardDate.month, 0);
}

TEST(TimeZoneTableTest, RecordBytesHaveThePublishedLayout)
{
    TimeZoneRecord r;
    r.Bias = -60;
    r.StandardBias = 0;
    r.DaylightBias = -60;
    r.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    r.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    TimeZoneRecordBytes bytes = EncodeTimeZoneRecord(r);
    const uint8_t expected[44] = {0xC4, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 0xC4, 0xFF, 0xFF, 0xFF,              //
                                  0,    0,    10,   0,    0, 0, 5, 0, 3,    0,    0,    0,    0, 0, 0, 0,  //
                                  0,    0,    3,    0,    0, 0, 5, 0, 2,    0,    0,    0,    0, 0, 0, 0};
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), expected));
    TimeZoneRecord back = DecodeTimeZoneRecord(bytes);
    EXPECT_EQ(back.DaylightBias, -60);
    EXPECT_EQ(back.DaylightDate.month, 3);
    EXPECT_EQ(back.StandardDate.hour, 3);
}

TEST(TimeZoneTableTest, LoadsTheSystemListWithTheCurrentZone)
{
    ScopedTz tz("Europe/Kiev");  // a link: the entry is the zone it names
    std::string current = "stale";
    const TimeZoneTable& first = LoadTimeZoneTable(&current);
    EXPECT_EQ(current, "(UTC+02:00) Europe/Kyiv");
    size_t count = first.size();
    EXPECT_GT(count, 300u);

    // A second load with a name reads again; every zone is listed once.
    const TimeZoneTable& second = LoadTimeZoneTable(&current);
    ASSERT_EQ(second.size(), count);
    std::set<std::string> names;
    for (const auto& entry : second) names.insert(entry->DisplayName);
    EXPECT_EQ(names.size(), count);
    EXPECT_TRUE(names.count("(UTC+01:00) Europe/Berlin"));
    EXPECT_TRUE(names.count("(UTC+05:30) Asia/Kolkata"));

    // Without a name the loaded table is kept.
    EXPECT_EQ(&LoadTimeZoneTable(), &second);
    FreeTimeZoneTable();
    EXPECT_TRUE(LoadTimeZoneTable().size() == count);
}

TEST(TimeZoneTableTest, UnknownCurrentZoneLeavesTheNameEmpty)
{
    ScopedTz tz("XYZ-3");
    std::string current = "stale";
    LoadTimeZoneTable(&current);
    EXPECT_EQ(current, "");
}

int positionOf(const std::string& displayName)
{
    const TimeZoneTable& table = LoadTimeZoneTable();
    for (size_t i = 0; i < table.size(); ++i) {
        if (table[i]->DisplayName == displayName) return static_cast<int>(i);
    }
    return -1;
}

TEST(TimeZoneTableTest, ConvertToZone)
{
    ScopedTz tz("Asia/Tokyo");
    int berlin = positionOf("(UTC+01:00) Europe/Berlin");
    int utc = positionOf("(UTC+00:00) Etc/UTC");
    ASSERT_GE(berlin, 0);
    ASSERT_GE(utc, 0);
    const int64_t summer = 1783000000;  // 2026-07-02 13:46:40 UTC
    CalendarTime inBerlin = ConvertToZone(summer, berlin);
    EXPECT_EQ(inBerlin.hour, 15);
    EXPECT_EQ(inBerlin.minute, 46);
    CalendarTime inUtc = ConvertToZone(0, utc);
    EXPECT_EQ(inUtc.year, 1970);
    EXPECT_EQ(inUtc.hour, 0);
    // Positions outside the table give the computer's local time (Tokyo).
    for (int position : {-1, -2, 100000}) {
        CalendarTime fallback = ConvertToZone(summer, position);
        EXPECT_EQ(fallback.hour, 22) << position;
    }
}

}  // namespace
}  // namespace logora
