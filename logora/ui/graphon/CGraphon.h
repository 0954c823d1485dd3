#pragma once
// The trend chart: pens with a legend of check boxes, a time axis with date
// and time, and one min/max stroke per pixel column when more samples than
// pixels are visible. Zoom with the mouse wheel or a dragged rectangle, pan
// with the right or middle button or the arrow keys, reset with a double
// click or Home. It may show several files, each with samples and a time
// offset of its own, on its one time axis.

#include <QWidget>
#include <optional>

#include "logora/ui/graphon/ChartLabels.h"
#include "logora/ui/graphon/GraphonControl.h"
#include "logora/ui/graphon/TrendSeries.h"
#include "logora/ui/plotdata/PlotSources.h"

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
    // Takes the columns over: the chart's memory is the samples' own.
    void AddSamples(SampleColumns samples) override;
    void PrintPage(QPainter& painter, const QRect& page) override;

    // The pen and sample calls that follow go to a new file, whose pens the
    // legend names with `label`; returns its index. The chart starts with
    // file 0, without a label.
    size_t AddSource(const std::string& label);
    // The pen and sample calls that follow replace the file's pens and samples.
    void ReplaceSource(size_t source);
    // The files after it move up one place; the calls go to file 0 again.
    void RemoveSource(size_t source);
    void SetSourceLabel(size_t source, const std::string& label);
    // Moves the file's samples along the time axis; the view stays.
    void SetSourceOffset(size_t source, double seconds);
    // Hides or shows every pen of the file.
    void SetSourceHidden(size_t source, bool hidden);
    const PlotSources& Sources() const { return sources_; }
    const TrendSeries& Series(size_t source = 0) const { return series_[source]; }
    // The legend's name of a pen (numbered across the files). Calls naming
    // a file or pen the chart does not have change nothing.
    std::string PenName(size_t pen) const;

    // Shown instead of the chart when there is nothing to draw.
    void SetMessage(const QString& message);
    QString Message() const { return message_; }
    // A click on a legend entry hides or shows its pen.
    void SetPenHidden(size_t pen, bool hidden);
    bool IsPenHidden(size_t pen) const { return sources_.IsHidden(pen); }
    // One value axis for every pen, or each pen scaled to its own range
    // (the legend then tells each range; the axis shows percent).
    void SetPenScales(bool ownScales);
    bool PenScales() const { return ownScales_; }
    // The crosshair's box at widget x: the time and each shown pen's value
    // at its file's nearest sample ("-" where the line misses the file's
    // samples); no lines outside the plot or without samples.
    CrosshairLabel Crosshair(int x);
    // The legend entry (pen index) at a point, -1 when none.
    int LegendPenAt(const QPoint& point);
    Viewport CurrentViewport();
    // Shows this range, as a zoom of the user's would.
    void SetViewport(const Viewport& view);
    // Whether the user zoomed or panned since the view was last fitted.
    bool ViewMoved() const { return moved_; }
    // Every sample and value in view (recorded data); in live mode the
    // first sample and the time span.
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
    void leaveEvent(QEvent* event) override;

private:
    // Live mode: keeps a sample at `seconds` in view.
    void FollowLive(double seconds);
    // The range a pen is scaled from in own-scale mode.
    ValueRange PenRange(size_t pen) const;
    // The values of the shown pens (of every pen when none is shown).
    ValueRange ShownValues() const;
    void PrepareSeries();
    // The file's sample at the crosshair's time, when the line meets its samples.
    std::optional<size_t> SampleAt(size_t source, double seconds, double tolerance) const;
    struct Layout;
    Layout ComputeLayout(const QFontMetrics& metrics, const QRect& area) const;
    // The screen's colours, or black on white for print.
    struct Ink;
    void Render(QPainter& painter, const QRect& area, bool forPrint);
    void DrawMessage(QPainter& painter, const QRect& area, const Ink& ink) const;
    // A check box in the pen's colour and a name per pen; a hidden pen's box
    // is empty, its name greyed.
    void DrawLegend(QPainter& painter, const Layout& layout, const QFontMetrics& metrics,
                    const Ink& ink) const;
    // Grid lines at the ticks, with time and date below the plot.
    void DrawTimeAxis(QPainter& painter, const Layout& layout, const QFontMetrics& metrics, const QRect& area,
                      const Ink& ink) const;
    // Grid lines at the ticks, with values (percent in own-scale mode) left of the plot.
    void DrawValueAxis(QPainter& painter, const Layout& layout, const QFontMetrics& metrics,
                       const Ink& ink) const;
    // Every shown pen, clipped inside the plot's frame.
    void DrawCurves(QPainter& painter, const QRect& plot) const;
    // The line under the mouse with its box of values, on screen only.
    void DrawCrosshair(QPainter& painter, const QRect& plot, const QFontMetrics& metrics, const Ink& ink);
    // Where each pixel column of the plot starts in a file's samples (and
    // where the last ends), when more samples are visible than the pens can
    // draw one by one; empty otherwise. Shared by every pen of the file.
    std::vector<size_t> ColumnStarts(size_t source, const QRect& plot) const;
    // `pen` numbered across the files, of file `source`.
    void DrawPen(QPainter& painter, size_t source, size_t pen, const QRect& plot,
                 const std::vector<size_t>& columnStarts) const;
    void EnsurePrepared();
    QRect PlotRect();
    double TimeAt(int x, const QRect& plot) const;
    double ValueAt(int y, const QRect& plot) const;

    std::vector<TrendSeries> series_;  // one a file, beside sources_
    PlotSources sources_;
    size_t target_ = 0;  // the file the pen and sample calls go to
    Viewport view_;
    bool viewSet_ = false;  // false until the first reset or user move
    bool moved_ = false;
    bool live_ = true;
    int32_t spanSeconds_ = 0;
    QRubberBand* rubberBand_ = nullptr;
    QPoint pressPos_;
    QPoint lastPanPos_;
    bool panning_ = false;
    QString message_;
    bool ownScales_ = false;
    int crosshairX_ = -1;
};

}  // namespace logora::ui
