// The destination decided by the settings, at a window.
#include "logora/engine/timezone/DestinationTime.h"

#include <gtest/gtest.h>

#include "TestContext.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora {
namespace {

class DestinationTimeTest : public testing::Test
{
protected:
    void setDestination(int position)
    {
        context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, position);
    }

    static int positionOf(const std::string& displayName)
    {
        const TimeZoneTable& table = LoadTimeZoneTable();
        for (size_t i = 0; i < table.size(); ++i) {
            if (table[i]->DisplayName == displayName) return static_cast<int>(i);
        }
        return -1;
    }

    test::TestContext context_;
};

TEST_F(DestinationTimeTest, DefaultIsLocalTimeWithDaylightSaving)
{
    ScopedTz tz("Europe/Berlin");
    setDestination(-1);
    CalendarTime summer = ToDestinationTime(context_, 1783000000);  // 2026-07-02 13:46:40 UTC
    EXPECT_EQ(summer.hour, 15);
    CalendarTime winter = ToDestinationTime(context_, 1767225600);  // 2026-01-01 00:00:00 UTC
    EXPECT_EQ(winter.hour, 1);
    OffsetClock clock = MakeDestinationClock(CurrentDestinationZone(context_));
    EXPECT_EQ(clock.ToLocal(1783000000).hour, 15);
    EXPECT_EQ(clock.ToLocal(1767225600).hour, 1);
}

TEST_F(DestinationTimeTest, ChosenZoneAndInvalidPosition)
{
    ScopedTz tz("America/New_York");
    int kolkata = positionOf("(UTC+05:30) Asia/Kolkata");
    ASSERT_GE(kolkata, 0);
    setDestination(kolkata);
    CalendarTime t = ToDestinationTime(context_, 0);
    EXPECT_EQ(t.hour, 5);
    EXPECT_EQ(t.minute, 30);
    EXPECT_EQ(CurrentDestinationZone(context_).kind, DestinationZone::Kind::TableZone);

    setDestination(1000000);  // no such position: local time (New York)
    EXPECT_EQ(ToDestinationTime(context_, 0).hour, 19);
    EXPECT_EQ(CurrentDestinationZone(context_).kind, DestinationZone::Kind::LocalTime);
}

}  // namespace
}  // namespace logora
