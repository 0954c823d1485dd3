#include "logora/ui/graphon/AxisTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "logora/engine/export/CDataFormatHelper.h"

namespace logora::ui {
namespace {

constexpr double kDay = 86400;

TEST(AxisTicks, DatesCountFromThe30thOfDecember1899)
{
    // In the list's date form.
    auto listDate = [](const char* digits) {
        char text[CDataFormatHelper::DateTextRoom(20)];
        return std::string(text, CDataFormatHelper::FormatDbfDate(digits, text, 20));
    };
    EXPECT_EQ(FormatTickDate(0), listDate("18991230"));
    EXPECT_EQ(FormatTickDate(25569 * kDay), listDate("19700101"));
    EXPECT_EQ(FormatTickDate(45000 * kDay + 3600), listDate("20230315"));
    EXPECT_EQ(FormatTickDate(-1 * kDay), listDate("18991229"));
    EXPECT_EQ(FormatTickDate(2958465 * kDay), listDate("99991231"));
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
