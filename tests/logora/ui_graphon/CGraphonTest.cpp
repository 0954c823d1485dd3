#include "logora/ui/graphon/CGraphon.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <cmath>

namespace logora::ui {
namespace {

constexpr double kDay = 86400;

class CGraphonTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "graphon-test";
        static char* argv[] = {name, nullptr};
        if (!QApplication::instance()) new QApplication(argc, argv);
    }
};

// Counts pixels of the pen's colour, to see that a pen was drawn.
int CountPixels(const QImage& image, QRgb colour)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) count += image.pixel(x, y) == colour;
    return count;
}

TEST_F(CGraphonTest, ResetShowsFirstSampleAndTheTimeSpan)
{
    CGraphon chart;
    chart.SetLiveMode(false);
    chart.AddPen("Level", "", "N/A", 0, 100);
    std::optional<double> value[] = {42.0};
    chart.SetTimeSpan(120);
    chart.AddSample(45000.0, 0, value);
    chart.AddSample(45000.0 + 30 / kDay, 500, value);
    auto view = chart.CurrentViewport();
    EXPECT_DOUBLE_EQ(view.timeFrom, 45000 * kDay);
    EXPECT_DOUBLE_EQ(view.timeTo, 45000 * kDay + 120);
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

}  // namespace
}  // namespace logora::ui
