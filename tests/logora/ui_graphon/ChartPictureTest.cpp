// The whole picture of fixed charts, printed and on screen, by checksum: any
// change to what the chart draws, or in which order, changes a checksum. The
// checksums are those of FreeType's rendering of DejaVu Sans.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QFontInfo>
#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "QtTestApp.h"
#include "logora/ui/graphon/CGraphon.h"

namespace logora::ui {
namespace {

constexpr double kDay = 86400;

class ChartPicture : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { EnsureQtApplication(); }

    void SetUp() override
    {
        font_.setPixelSize(12);
        if (QFontInfo(font_).family() != font_.family()) GTEST_SKIP() << "no DejaVu Sans to draw with";
        // Three pens, one with gaps and one hidden, over an hour of samples.
        chart_.setFont(font_);
        chart_.resize(640, 360);
        chart_.SetLiveMode(false);
        for (const char* pen : {"Level", "Pressure with a name too long for the legend's line", "Flow"})
            chart_.AddPen(pen, "", "N/A", 0, 100);
        chart_.SetTimeSpan(3600);
        std::optional<double> values[3];
        for (int i = 0; i < 20000; ++i) {
            for (int p = 0; p < 3; ++p) values[p] = std::sin(i / 400.0 + p) * 40 * (p + 1) + 50;
            if (i % 3000 < 200) values[1].reset();
            chart_.AddSample(45000.0 + (i * 0.18) / kDay, (i % 5) * 180, values);
        }
        chart_.SetPenHidden(2, true);
    }

    static std::string Checksum(const QImage& image)
    {
        QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        return QCryptographicHash::hash(QByteArrayView(rgb.constBits(), rgb.sizeInBytes()),
                                        QCryptographicHash::Sha256)
            .toHex()
            .left(16)
            .toStdString();
    }

    QFont font_{"DejaVu Sans"};
    CGraphon chart_;
};

TEST_F(ChartPicture, PrintedPageWithAStrokePerPixelColumn)
{
    chart_.SetPenScales(true);
    QImage page(800, 500, QImage::Format_RGB32);
    page.fill(Qt::red);
    QPainter painter(&page);
    painter.setFont(font_);
    chart_.PrintPage(painter, page.rect().adjusted(10, 10, -10, -10));
    painter.end();
    EXPECT_EQ(Checksum(page), "9c40b084e63d0673");
}

TEST_F(ChartPicture, ScreenWithLinesAndTheCrosshair)
{
    chart_.ZoomTime(40, chart_.CurrentViewport().timeFrom + 300);
    QMouseEvent move(QEvent::MouseMove, QPointF(320, 200), QPointF(320, 200), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&chart_, &move);
    EXPECT_EQ(Checksum(chart_.grab().toImage()), "7228cd4ea714e05b");
}

}  // namespace
}  // namespace logora::ui
