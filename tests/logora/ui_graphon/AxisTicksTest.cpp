#include "logora/ui/graphon/AxisTicks.h"

#include <gtest/gtest.h>

#include <cmath>

namespace logora::ui {
namespace {

constexpr double kDay = 86400;

TEST(AxisTicks, DatesCountFromThe30thOfDecember1899)
{
    EXPECT_EQ(FormatTickDate(0), "1899-12-30");
    EXPECT_EQ(FormatTickDate(25569 * kDay), "1970-01-01");
    EXPECT_EQ(FormatTickDate(45000 * kDay + 3600), "2023-03-15");
    EXPECT_EQ(FormatTickDate(-1 * kDay), "1899-12-29");
    EXPECT_EQ(FormatTickDate(2958465 * kDay), "9999-12-31");
}

TEST(AxisTicks, TimesOfDayWithAndWithoutMilliseconds)
{
    EXPECT_EQ(FormatTickTime(45000 * kDay + 13 * 3600 + 45 * 60 + 10, false), "13:45:10");
    EXPECT_EQ(FormatTickTime(45000 * kDay + 10.25, true), "00:00:10.250");
    EXPECT_EQ(FormatTickTime(45000 * kDay + kDay - 0.0001, true), "23:59:59.999");
}

TEST(AxisTicks, TimeTicksAreRoundAndInsideTheRange)
{
    double from = 45000 * kDay + 17, to = from + 3600;
    auto ticks = TimeTicks(from, to, 8);
    ASSERT_FALSE(ticks.empty());
    EXPECT_LE(ticks.size(), 9u);
    double step = TimeTickStep(from, to, 8);
    EXPECT_EQ(step, 600);
    for (double t : ticks) {
        EXPECT_GE(t, from);
        EXPECT_LE(t, to);
        EXPECT_EQ(std::fmod(t, step), 0);
    }
}

TEST(AxisTicks, ValueTicksUseOneTwoFiveSteps)
{
    auto ticks = ValueTicks(-3, 97, 5);
    ASSERT_EQ(ticks.size(), 5u);
    EXPECT_EQ(ticks.front(), 0);
    EXPECT_EQ(ticks[1], 20);
    EXPECT_TRUE(ValueTicks(5, 5, 5).empty());
}

}  // namespace
}  // namespace logora::ui
