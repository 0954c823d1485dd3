#include "logora/ui/graphon/CGraphon.h"

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "QtTestApp.h"
#include "logora/ui/plotdata/TimeFit.h"

namespace logora::ui {
namespace {

constexpr double kDay = 86400;

class CGraphonTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }
};

// Counts pixels of the pen's colour, to see that a pen was drawn.
int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

TEST_F(CGraphonTest, ResetFitsTheRecordedSamplesNotTheTimeSpan)
{
    CGraphon chart;
    chart.SetLiveMode(false);
    chart.AddPen("Level", "", "N/A", 0, 100);
    std::optional<double> value[] = {42.0};
    chart.SetTimeSpan(120);
    chart.AddSample(45000.0, 0, value);
    chart.AddSample(45000.0 + 30 / kDay, 500, value);
    auto view = chart.CurrentViewport();
    const double margin = 30.5 * kTimeFitMargin;
    EXPECT_NEAR(view.timeFrom, 45000 * kDay - margin, 1e-6);
    EXPECT_NEAR(view.timeTo, 45000 * kDay + 30.5 + margin, 1e-6);
    EXPECT_LT(view.valueFrom, 42);
    EXPECT_GT(view.valueTo, 42);
}

TEST_F(CGraphonTest, SamplesOutOfOrderAreSortedAndMissingValuesStayMissing)
{
    // Given one by one, and as columns that the chart takes over (the second
    // batch appended, without a column for B).
    CGraphon single, columns;
    for (CGraphon* chart : {&single, &columns}) {
        chart->AddPen("A", "", "N/A", 0, 100);
        chart->AddPen("B", "", "N/A", 0, 100);
    }
    std::optional<double> late[] = {2.0, 20.0};
    std::optional<double> early[] = {1.0};  // B has no value here
    std::optional<double> middle[] = {3.0};
    single.AddSample(45000.0 + 10 / kDay, 0, late);
    single.AddSample(45000.0, 0, early);
    single.AddSample(45000.0 + 5 / kDay, 250, middle);
    const double none = std::nan("");
    columns.AddSamples({{45000.0 + 10 / kDay, 45000.0}, {0, 0}, {{2.0, 1.0}, {20.0, none}}});
    columns.AddSamples({{45000.0 + 5 / kDay}, {250}, {{3.0}}});
    for (CGraphon* chart : {&single, &columns}) {
        chart->CurrentViewport();
        const TrendSeries& series = chart->Series();
        ASSERT_EQ(series.SampleCount(), 3u);
        EXPECT_EQ(series.Time(1), 45000 * kDay + 5.25);
        EXPECT_EQ(series.Value(0, 0), 1.0);
        EXPECT_TRUE(std::isnan(series.Value(1, 0)));
        EXPECT_EQ(series.Value(0, 1), 3.0);
        EXPECT_TRUE(std::isnan(series.Value(1, 1)));
        EXPECT_EQ(series.Value(1, 2), 20.0);
    }
}

// Samples a few places out of order are moved in place, others sorted as a
// whole (after part of them was moved); both keep samples of one time in
// the order they came, each with its values.
TEST(TrendSeriesTest, SamplesNearAndFarOutOfOrderSortStably)
{
    for (const size_t reach : {size_t{5}, size_t{5000}}) {
        const size_t count = 20000;
        std::vector<double> times(count), order(count), values(count);
        uint32_t random = 12345;
        for (size_t i = 0; i < count; ++i) {
            random = random * 1103515245u + 12345u;
            // Ties among the times, so that the order of equal ones shows.
            times[i] = double((i + random % reach) / 4);
            order[i] = double(i);
            values[i] = double(i) * 0.5;
        }
        TrendSeries series;
        series.AddPen({"Order", "", "", 0, 100});
        series.AddPen({"Value", "", "", 0, 100});
        std::vector<double> expected = times;
        std::vector<std::vector<double>> columns{order, values};
        series.AddSamples(std::move(times), std::move(columns));
        series.Prepare();
        std::stable_sort(expected.begin(), expected.end());
        ASSERT_EQ(series.SampleCount(), count);
        for (size_t i = 0; i < count; ++i) {
            ASSERT_EQ(series.Time(i), expected[i]) << "reach " << reach << " sample " << i;
            ASSERT_EQ(series.Value(1, i), series.Value(0, i) * 0.5);
            if (i > 0 && series.Time(i) == series.Time(i - 1)) {
                ASSERT_LT(series.Value(0, i - 1), series.Value(0, i)) << "reach " << reach << " sample " << i;
            }
        }
    }
}

TEST_F(CGraphonTest, ZoomKeepsTheAnchorAndPrintDrawsEveryPen)
{
    CGraphon chart;
    chart.SetLiveMode(false);
    chart.AddPen("Sine", "", "N/A", 0, 100);
    chart.SetTimeSpan(3600);
    std::optional<double> value[1];
    for (int i = 0; i < 200000; ++i) {
        value[0] = std::sin(i / 1000.0) * 50 + 50;
        chart.AddSample(45000.0 + (i / 100) / kDay, (i % 100) * 10, value);
    }
    auto before = chart.CurrentViewport();
    double anchor = (before.timeFrom + before.timeTo) / 2;
    chart.ZoomTime(4, anchor);
    auto after = chart.CurrentViewport();
    EXPECT_NEAR((after.timeFrom + after.timeTo) / 2, anchor, 1e-6);
    EXPECT_NEAR(after.timeTo - after.timeFrom, (before.timeTo - before.timeFrom) / 4, 1e-6);

    QImage page(800, 600, QImage::Format_RGB32);
    QPainter painter(&page);
    chart.ResetView();
    chart.PrintPage(painter, page.rect());
    painter.end();
    EXPECT_GT(CountPixels(page, qRgb(0x1f, 0x77, 0xb4)), 500);
}

TEST_F(CGraphonTest, AddedFilesShareTheTimeAxisEachMovedByItsOffset)
{
    CGraphon chart;
    chart.resize(600, 300);
    chart.SetLiveMode(false);
    chart.SetSourceLabel(0, "today.log");
    chart.AddPen("Temp", "", "N/A", 0, 100);
    std::optional<double> value[1];
    for (int i = 0; i <= 10; ++i) chart.AddSample(45001.0 + i * 60 / kDay, 0, (value[0] = i, value));
    EXPECT_EQ(chart.AddSource("yesterday.log"), 1u);
    chart.AddPen("Temp", "", "N/A", 0, 100);
    for (int i = 0; i <= 10; ++i) chart.AddSample(45000.0 + i * 60 / kDay, 0, (value[0] = 100 + i, value));
    EXPECT_EQ(chart.PenName(1), "yesterday.log: Temp");

    // Apart, the axis holds both days; between them no file has a value.
    auto apart = chart.CurrentViewport();
    EXPECT_LT(apart.timeFrom, 45000 * kDay);
    EXPECT_GT(apart.timeTo, 45001 * kDay + 600);
    CrosshairLabel gap = chart.Crosshair(300);
    ASSERT_EQ(gap.lines.size(), 3);
    EXPECT_EQ(gap.lines[1], "today.log: Temp: -");
    EXPECT_EQ(gap.lines[2], "yesterday.log: Temp: -");

    // A day later, yesterday lies over today and the crosshair reads both.
    chart.SetSourceOffset(1, kDay);
    chart.ResetView();
    auto over = chart.CurrentViewport();
    EXPECT_NEAR(over.timeFrom, 45001 * kDay - 600 * kTimeFitMargin, 1e-6);
    EXPECT_NEAR(over.timeTo, 45001 * kDay + 600 * (1 + kTimeFitMargin), 1e-6);
    CrosshairLabel both = chart.Crosshair(300);
    ASSERT_EQ(both.lines.size(), 3);
    EXPECT_TRUE(both.lines[1].startsWith("today.log: Temp: ")) << both.lines[1].toStdString();
    const double today = both.lines[1].section(": ", -1).toDouble();
    EXPECT_EQ(both.lines[2], QString("yesterday.log: Temp: %1").arg(today + 100));

    chart.SetSourceHidden(1, true);
    EXPECT_TRUE(chart.IsPenHidden(1));
    EXPECT_EQ(chart.Crosshair(300).lines.size(), 2);
}

TEST_F(CGraphonTest, CrosshairBoxStaysInsideThePlotWithEveryValueShown)
{
    CGraphon chart;
    chart.resize(400, 300);
    chart.AddPen(std::string(300, 'W'), "", "N/A", 0, 100);
    chart.AddPen("Level", "", "N/A", 0, 100);
    std::optional<double> values[] = {1.5, 2.5};
    chart.AddSample(45000.0, 0, values);
    chart.AddSample(45000.0 + 60 / kDay, 0, values);
    QFontMetrics metrics(chart.font(), &chart);
    for (int x : {80, 200, 380}) {
        CrosshairLabel label = chart.Crosshair(x);
        ASSERT_EQ(label.lines.size(), 3) << x;
        EXPECT_TRUE(label.lines[1].endsWith(": 1.5")) << label.lines[1].toStdString();
        EXPECT_TRUE(label.lines[1].contains(QChar(0x2026)));  // shortened as the legend shortens
        EXPECT_EQ(label.lines[2], "Level: 2.5");
        EXPECT_TRUE(chart.rect().contains(label.box)) << x;
        EXPECT_FALSE(label.box.contains(x, label.box.center().y())) << x;  // the line stays in view
        for (const QString& line : label.lines)
            EXPECT_LE(metrics.horizontalAdvance(line), label.box.width() - 2 * kCrosshairPadX);
    }

    // More pens than lines the plot can hold: the last line counts the rest.
    CGraphon crowded;
    crowded.resize(400, 300);
    std::vector<std::optional<double>> many(60, 7.0);
    for (int p = 0; p < 60; ++p) crowded.AddPen("Pen " + std::to_string(p), "", "N/A", 0, 100);
    crowded.AddSample(45000.0, 0, many);
    CrosshairLabel label = crowded.Crosshair(200);
    ASSERT_GT(label.lines.size(), 2);
    EXPECT_TRUE(crowded.rect().contains(label.box));
    EXPECT_EQ(label.lines.back(), QString("%1 more").arg(60 - (label.lines.size() - 2)));
}

}  // namespace
}  // namespace logora::ui
