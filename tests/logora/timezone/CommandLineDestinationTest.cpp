// The destination of a batch run: UTC plus the "/tz" hours, no daylight time.
// A program of its own, because command-line mode cannot be left again.
#include <gtest/gtest.h>

#include <filesystem>

#include "logora/engine/run/RunState.h"
#include "logora/engine/timezone/DestinationTime.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora {
namespace {

class CommandLineDestinationTest : public testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        auto folder = std::filesystem::temp_directory_path() / ("tz-cmdline-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        RunState().EnterCommandLineMode((folder / "logora").string());
    }
};

TEST_F(CommandLineDestinationTest, Tz8TurnsStampZeroIntoEightOClock)
{
    RunState().SetTimeZoneOffset(480);
    CalendarTime t = ToDestinationTime(0);
    EXPECT_EQ(t.year, 1970);
    EXPECT_EQ(t.month, 1);
    EXPECT_EQ(t.day, 1);
    EXPECT_EQ(t.hour, 8);
    EXPECT_EQ(t.minute, 0);
    COffsetClock clock = MakeDestinationClock(CurrentDestinationZone());
    EXPECT_EQ(clock.ToLocal(0).hour, 8);
    // No daylight time with a fixed offset.
    EXPECT_EQ(clock.ToLocal(1783000000).hour, 21);
}

TEST_F(CommandLineDestinationTest, NegativeAndOutOfRangeOffsets)
{
    ScopedTz tz("Asia/Tokyo");
    RunState().SetTimeZoneOffset(-720);
    EXPECT_EQ(ToDestinationTime(86400).hour, 12);
    EXPECT_EQ(ToDestinationTime(86400).day, 1);
    RunState().SetTimeZoneOffset(1440);  // none given: local time
    EXPECT_EQ(ToDestinationTime(0).hour, 9);
    RunState().SetTimeZoneOffset(781);
    EXPECT_EQ(CurrentDestinationZone().kind, DestinationZone::Kind::LocalTime);
}

}  // namespace
}  // namespace logora
