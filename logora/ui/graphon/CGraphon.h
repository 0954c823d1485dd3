#pragma once
// The trend chart: pens with a legend, a time axis with date and time, and
// one min/max stroke per pixel column when more samples than pixels are
// visible. Zoom with the mouse wheel or a dragged rectangle, pan with the
// right or middle button or the arrow keys, reset with a double click or Home.

#include <QWidget>

#include "logora/ui/graphon/GraphonControl.h"
#include "logora/ui/graphon/TrendSeries.h"

class QFontMetrics;
class QRubberBand;

namespace logora::ui {

class CGraphon : public QWidget, public GraphonControl
{
    Q_OBJECT
public:
    struct Viewport
    {
        double timeFrom = 0, timeTo = 60;  // seconds since 30 December 1899
        double valueFrom = 0, valueTo = 100;
    };

    explicit CGraphon(QWidget* parent = nullptr);
    ~CGraphon() override;

    void SetLiveMode(bool live) override;
    void AddPen(const std::string& name, const std::string& description, const std::string& unit,
                float minimum, float maximum) override;
    void SetTimeSpan(int32_t seconds) override;
    void AddSample(double time, int32_t milliseconds, std::span<const std::optional<double>> values) override;
    void PrintPage(QPainter& painter, const QRect& page) override;

    const TrendSeries& Series() const { return series_; }
    Viewport CurrentViewport();
    // Back to the first sample and the time span, all values in view.
    void ResetView();
    void ZoomTime(double factor, double anchorSeconds);
    void PanBy(double seconds, double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    struct Layout;
    Layout ComputeLayout(const QFontMetrics& metrics, const QRect& area) const;
    void Render(QPainter& painter, const QRect& area, bool forPrint);
    void DrawPen(QPainter& painter, size_t pen, const QRect& plot) const;
    void EnsurePrepared();
    QRect PlotRect();
    double TimeAt(int x, const QRect& plot) const;
    double ValueAt(int y, const QRect& plot) const;

    TrendSeries series_;
    Viewport view_;
    bool viewSet_ = false;  // false until the first reset or user move
    bool live_ = true;
    int32_t spanSeconds_ = 0;
    QRubberBand* rubberBand_ = nullptr;
    QPoint pressPos_;
    QPoint lastPanPos_;
    bool panning_ = false;
};

}  // namespace logora::ui
