#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "logora/ui/plotdata/FollowedView.h"
#include "logora/ui/plotdata/PlotSources.h"
#include "logora/ui/plotdata/TimeFit.h"
#include "logora/ui/plotdata/TimeOffset.h"

namespace logora::ui {
namespace {

TEST(TimeFit, ASingleInstantGetsAMinuteAroundIt)
{
    TimeRange view = FitTimeRange({1000, 1000, false});
    EXPECT_DOUBLE_EQ(view.from, 970);
    EXPECT_DOUBLE_EQ(view.to, 1030);
}

struct OffsetCase
{
    const char* text;
    std::optional<double> seconds;
};

TEST(FollowedView, ARangeThatHeldTheNewestSampleFollowsItAndAnyOtherStays)
{
    const TimeRange before{1000, 2000, false};
    const TimeRange fitted = FitTimeRange(before);
    const TimeRange all = FollowedTimeRange(fitted, before, 3000);
    EXPECT_DOUBLE_EQ(all.from, FitTimeRange({1000, 3000, false}).from);
    EXPECT_DOUBLE_EQ(all.to, FitTimeRange({1000, 3000, false}).to);

    const TimeRange recent = FollowedTimeRange({1800, 2010, false}, before, 2100);
    EXPECT_DOUBLE_EQ(recent.from, 1900);
    EXPECT_DOUBLE_EQ(recent.to, 2110);

    const TimeRange older = FollowedTimeRange({1200, 1500, false}, before, 2100);
    EXPECT_DOUBLE_EQ(older.from, 1200);
    EXPECT_DOUBLE_EQ(older.to, 1500);
}

TEST(TimeOffset, HoursMinutesAndSecondsWithASign)
{
    const OffsetCase cases[] = {
        {"+24 h", 86400},
        {"-24h", -86400},
        {"24", 86400},
        {" - 1 h 30 min ", -5400},
        {"90 min", 5400},
        {"+1:30", 5400},
        {"-0:45", -2700},
        {"1.5 hours", 5400},
        {"2 h 15 s", 7215},
        {"0", 0},
        {"1,5 h", 5400},
        {"", std::nullopt},
        {"+", std::nullopt},
        {"30 min 1 h", std::nullopt},
        {"1 h 2 h", std::nullopt},
        {"1 30", std::nullopt},
        {"1:75", std::nullopt},
        {"1.5:30", std::nullopt},
        {"24 days", std::nullopt},
        {"h", std::nullopt},
        {"1e9 h", std::nullopt},
        {"9999999 h", std::nullopt},
    };
    for (const OffsetCase& c : cases) EXPECT_EQ(ParseTimeOffset(c.text), c.seconds) << c.text;
    for (double seconds : {0.0, 86400.0, -5400.0, 2700.0, -7215.0, 59.0})
        EXPECT_EQ(ParseTimeOffset(FormatTimeOffset(seconds)), seconds) << FormatTimeOffset(seconds);
    EXPECT_EQ(FormatTimeOffset(-5400), "-1 h 30 min");
    EXPECT_EQ(FormatTimeOffset(86400), "+24 h");
}

TEST(PlotSources, PensAreNumberedAcrossTheFilesAndHideAFileAtATime)
{
    PlotSources files;
    files.AddSource("plant1.log");
    for (int p = 0; p < 2; ++p) files.AddPen(0);
    EXPECT_EQ(files.LegendName(1, "Boiler.Temp"), "Boiler.Temp");  // one file: names alone
    files.AddSource("plant2.log");
    for (int p = 0; p < 3; ++p) files.AddPen(1);
    ASSERT_EQ(files.PenCount(), 5u);
    EXPECT_EQ(files.Locate(2).source, 1u);
    EXPECT_EQ(files.Locate(2).pen, 0u);
    EXPECT_EQ(files.PenIndex(1, 2), 4u);
    EXPECT_EQ(files.LegendName(3, "Boiler.Temp"), "plant2.log: Boiler.Temp");
    EXPECT_EQ(files.LegendName(0, "Boiler.Temp"), "plant1.log: Boiler.Temp");

    files.SetHidden(1, true);
    files.SetSourceHidden(1, true);
    EXPECT_TRUE(files.IsSourceHidden(1));
    EXPECT_FALSE(files.IsSourceHidden(0));
    EXPECT_TRUE(files.IsHidden(1));
    EXPECT_FALSE(files.IsHidden(0));
    files.SetHidden(4, false);
    EXPECT_FALSE(files.IsSourceHidden(1));

    // A file replaced keeps its place, the other files their pens and marks.
    files.ClearPens(0);
    files.AddPen(0);
    EXPECT_EQ(files.PenCount(), 4u);
    EXPECT_TRUE(files.IsHidden(1));
    EXPECT_FALSE(files.IsHidden(3));
    files.RemoveSource(0);
    EXPECT_EQ(files.Label(0), "plant2.log");
    EXPECT_EQ(files.PenCount(), 3u);
}

TEST(PlotSources, TheAxisHoldsEveryFileMovedByItsOffset)
{
    PlotSources files;
    files.AddSource("today.log");
    files.AddSource("empty.log");
    files.AddSource("yesterday.log");
    files.SetOffset(2, 86400);
    files.SetOffset(1, -1e9);  // no samples: no part of the axis
    const TimeRange ranges[] = {{90000, 100000, false}, {}, {5000, 12000, false}};
    TimeRange axis = files.AxisRange(ranges);
    EXPECT_DOUBLE_EQ(axis.from, 90000);
    EXPECT_DOUBLE_EQ(axis.to, 100000);
    files.SetOffset(2, 90000);
    EXPECT_DOUBLE_EQ(files.AxisRange(ranges).to, 102000);
}

}  // namespace
}  // namespace logora::ui
