// The destination of a batch run: UTC plus the "/tz" hours, no daylight time.
#include <gtest/gtest.h>

#include "TestContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/timezone/DestinationTime.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora {
namespace {

class CommandLineDestinationTest : public testing::Test
{
protected:
    void SetUp() override { context_.run.EnterCommandLineMode(std::string()); }

    test::TestContext context_;
};

TEST_F(CommandLineDestinationTest, Tz8TurnsStampZeroIntoEightOClock)
{
    context_.run.SetTimeZoneOffset(480);
    CalendarTime t = ToDestinationTime(context_, 0);
    EXPECT_EQ(t.year, 1970);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 8);
    EXPECT_EQ(t.minute, 0);
    OffsetClock clock = MakeDestinationClock(CurrentDestinationZone(context_));
    EXPECT_EQ(clock.ToLocal(0).hour, 8);
    // No daylight time with a fixed offset.
    EXPECT_EQ(clock.ToLocal(1783000000).hour, 21);
}

TEST_F(CommandLineDestinationTest, NegativeAndOutOfRangeOffsets)
{
    ScopedTz tz("Asia/Tokyo");
    context_.run.SetTimeZoneOffset(-720);
    EXPECT_EQ(ToDestinationTime(context_, 86400).hour, 12);
    EXPECT_EQ(ToDestinationTime(context_, 86400).day, 1);
    context_.run.SetTimeZoneOffset(1440);  // none given: local time
    EXPECT_EQ(ToDestinationTime(context_, 0).hour, 9);
    context_.run.SetTimeZoneOffset(781);
    EXPECT_EQ(CurrentDestinationZone(context_).kind, DestinationZone::Kind::LocalTime);
}

}  // namespace
}  // namespace logora
