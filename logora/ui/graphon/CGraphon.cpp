#include "logora/ui/graphon/CGraphon.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "logora/ui/graphon/AxisTicks.h"
#include "logora/ui/graphon/ChartLabels.h"
#include "logora/ui/plotdata/TimeFit.h"

namespace logora::ui {

namespace {

constexpr double kSecondsPerDay = 86400.0;
constexpr double kWheelZoom = 1.25;

QColor PenColor(size_t pen)
{
    static const QColor palette[] = {
        QColor(0x1f, 0x77, 0xb4), QColor(0xd6, 0x27, 0x28), QColor(0x2c, 0xa0, 0x2c),
        QColor(0xff, 0x7f, 0x0e), QColor(0x94, 0x67, 0xbd), QColor(0x8c, 0x56, 0x4b),
        QColor(0xe3, 0x77, 0xc2), QColor(0x7f, 0x7f, 0x7f), QColor(0xbc, 0xbd, 0x22),
        QColor(0x17, 0xbe, 0xcf), QColor(0x00, 0x00, 0x80), QColor(0x80, 0x00, 0x00),
        QColor(0x00, 0x64, 0x00), QColor(0xb8, 0x86, 0x0b), QColor(0x48, 0x3d, 0x8b),
        QColor(0x00, 0x80, 0x80)};
    return palette[pen % std::size(palette)];
}

// Whole seconds of the day come from the date value; milliseconds are kept apart.
double SecondsOf(double time, int32_t milliseconds)
{
    return std::round(time * kSecondsPerDay) + milliseconds / 1000.0;
}

QString ValueLabel(double v)
{
    return QString::number(v, 'g', 6);
}

}  // namespace

struct CGraphon::Layout
{
    QRect plot;
    struct LegendEntry
    {
        QRect swatch;
        size_t pen;
        QString text;  // the pen's name, elided to the legend's width
    };
    std::vector<LegendEntry> legend;
    int lineHeight = 0;
};

struct CGraphon::Ink
{
    QColor text;
    QColor grid;  // the dotted lines at the ticks
};

CGraphon::CGraphon(QWidget* parent) : QWidget(parent)
{
    AddSource("");
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(200, 150);
}

CGraphon::~CGraphon() = default;

void CGraphon::SetLiveMode(bool live)
{
    live_ = live;
}

void CGraphon::AddPen(const std::string& name, const std::string& description, const std::string& unit,
                      float minimum, float maximum)
{
    series_[target_].AddPen({name, description, unit, minimum, maximum});
    sources_.AddPen(target_);
    update();
}

size_t CGraphon::AddSource(const std::string& label)
{
    series_.emplace_back();
    target_ = sources_.AddSource(label);
    update();
    return target_;
}

void CGraphon::ReplaceSource(size_t source)
{
    if (source >= series_.size()) return;
    series_[source] = TrendSeries();
    sources_.ClearPens(source);
    target_ = source;
    viewSet_ = false;
    update();
}

void CGraphon::RemoveSource(size_t source)
{
    if (source >= series_.size() || series_.size() == 1) return;
    series_.erase(series_.begin() + static_cast<std::ptrdiff_t>(source));
    sources_.RemoveSource(source);
    target_ = 0;
    update();
}

void CGraphon::SetSourceLabel(size_t source, const std::string& label)
{
    if (source >= series_.size()) return;
    sources_.SetLabel(source, label);
    update();
}

void CGraphon::SetSourceOffset(size_t source, double seconds)
{
    if (source >= series_.size()) return;
    sources_.SetOffset(source, seconds);
    update();
}

void CGraphon::SetSourceHidden(size_t source, bool hidden)
{
    if (source >= series_.size()) return;
    sources_.SetSourceHidden(source, hidden);
    update();
}

std::string CGraphon::PenName(size_t pen) const
{
    if (pen >= sources_.PenCount()) return {};
    const PlotSources::PenAt at = sources_.Locate(pen);
    return sources_.LegendName(pen, series_[at.source].Pen(at.pen).name);
}

void CGraphon::SetMessage(const QString& message)
{
    message_ = message;
    update();
}

void CGraphon::SetPenHidden(size_t pen, bool hidden)
{
    sources_.SetHidden(pen, hidden);
    update();
}

void CGraphon::SetPenScales(bool ownScales)
{
    ownScales_ = ownScales;
    viewSet_ = false;
    update();
}

ValueRange CGraphon::PenRange(size_t pen) const
{
    const PlotSources::PenAt at = sources_.Locate(pen);
    const TrendSeries& series = series_[at.source];
    ValueRange range = series.Range(at.pen, 0, series.SampleCount());
    if (range.empty) return {0, 1, false};
    if (range.max == range.min) range.max = range.min + 1;
    return range;
}

void CGraphon::SetTimeSpan(int32_t seconds)
{
    spanSeconds_ = std::max<int32_t>(seconds, 1);
    viewSet_ = false;
    update();
}

void CGraphon::AddSample(double time, int32_t milliseconds, std::span<const std::optional<double>> values)
{
    double seconds = SecondsOf(time, milliseconds);
    series_[target_].AddSample(seconds, values);
    FollowLive(seconds + sources_.Offset(target_));
    update();
}

void CGraphon::AddSamples(SampleColumns samples)
{
    if (samples.times.empty()) return;
    // The time column becomes the series' own, in seconds.
    std::vector<double>& times = samples.times;
    for (size_t i = 0; i < times.size(); ++i) times[i] = SecondsOf(times[i], samples.milliseconds[i]);
    std::vector<int32_t>().swap(samples.milliseconds);
    double newest = *std::max_element(times.begin(), times.end());
    series_[target_].AddSamples(std::move(times), std::move(samples.values));
    FollowLive(newest + sources_.Offset(target_));
    update();
}

void CGraphon::FollowLive(double seconds)
{
    if (live_ && viewSet_ && spanSeconds_ > 0 && seconds > view_.timeTo) {
        view_.timeTo = seconds;
        view_.timeFrom = seconds - spanSeconds_;
    }
}

void CGraphon::PrepareSeries()
{
    for (TrendSeries& series : series_) series.Prepare();
}

void CGraphon::EnsurePrepared()
{
    PrepareSeries();
    if (!viewSet_) ResetView();
}

ValueRange CGraphon::ShownValues() const
{
    ValueRange shown, all;
    for (size_t pen = 0; pen < sources_.PenCount(); ++pen) {
        const PlotSources::PenAt at = sources_.Locate(pen);
        const ValueRange range = series_[at.source].Range(at.pen, 0, series_[at.source].SampleCount());
        all.include(range);
        if (!IsPenHidden(pen)) shown.include(range);
    }
    return shown.empty ? all : shown;
}

void CGraphon::ResetView()
{
    PrepareSeries();
    std::vector<TimeRange> fileTimes(series_.size());
    for (size_t s = 0; s < series_.size(); ++s)
        if (size_t n = series_[s].SampleCount(); n > 0)
            fileTimes[s] = {series_[s].Time(0), series_[s].Time(n - 1), false};
    const TimeRange times = sources_.AxisRange(fileTimes);
    if (times.empty) {
        view_ = Viewport{};
        view_.timeTo = view_.timeFrom + (spanSeconds_ > 0 ? spanSeconds_ : 60);
    } else {
        double first = times.from, last = times.to;
        if (live_) {
            // Room for the samples still to come.
            double span = spanSeconds_ > 0 ? spanSeconds_ : std::max(60.0, last - first);
            view_.timeFrom = first;
            view_.timeTo = first + std::max(span, last - first);
        } else {
            TimeRange fit = FitTimeRange({first, last, false});
            view_.timeFrom = fit.from;
            view_.timeTo = fit.to;
        }
        ValueRange all = ownScales_ ? ValueRange{0, 100, false} : ShownValues();
        if (all.empty) {
            view_.valueFrom = 0;
            view_.valueTo = 100;
        } else {
            double margin = (all.max - all.min) * 0.05;
            if (margin == 0) margin = std::max(std::abs(all.max) * 0.05, 1.0);
            view_.valueFrom = all.min - margin;
            view_.valueTo = all.max + margin;
        }
    }
    viewSet_ = true;
    moved_ = false;
    update();
}

CGraphon::Viewport CGraphon::CurrentViewport()
{
    EnsurePrepared();
    return view_;
}

void CGraphon::SetViewport(const Viewport& view)
{
    PrepareSeries();
    view_ = view;
    viewSet_ = true;
    moved_ = true;
    update();
}

void CGraphon::ZoomTime(double factor, double anchorSeconds)
{
    EnsurePrepared();
    double from = anchorSeconds - (anchorSeconds - view_.timeFrom) / factor;
    double to = anchorSeconds + (view_.timeTo - anchorSeconds) / factor;
    if (to - from < 0.001) return;  // a millisecond is the finest resolution the data has
    view_.timeFrom = from;
    view_.timeTo = to;
    moved_ = true;
    update();
}

void CGraphon::PanBy(double seconds, double value)
{
    EnsurePrepared();
    view_.timeFrom += seconds;
    view_.timeTo += seconds;
    view_.valueFrom += value;
    view_.valueTo += value;
    moved_ = true;
    update();
}

CGraphon::Layout CGraphon::ComputeLayout(const QFontMetrics& metrics, const QRect& area) const
{
    Layout layout;
    layout.lineHeight = metrics.height();
    int swatch = std::max(9, metrics.ascent() - 1);  // a check box, large enough for its tick
    int x = area.left() + 8, y = area.top() + 4;
    int legendLimit = area.top() + area.height() / 3;
    int textRoom = std::max(0, area.width() - 16 - swatch - 4 - 12);
    for (size_t p = 0; p < sources_.PenCount(); ++p) {
        QString name = QString::fromStdString(PenName(p));
        if (ownScales_) {
            ValueRange range = PenRange(p);
            name += QString(" [%1 to %2]").arg(ValueLabel(range.min), ValueLabel(range.max));
        }
        QString text = ShortPenName(metrics, name, textRoom);
        int width = swatch + 4 + metrics.horizontalAdvance(text) + 12;
        if (x + width > area.right() && x > area.left() + 8) {
            x = area.left() + 8;
            y += layout.lineHeight;
        }
        if (y + layout.lineHeight > legendLimit) break;
        layout.legend.push_back({QRect(x, y + (layout.lineHeight - swatch) / 2, swatch, swatch), p, text});
        x += width;
    }
    int top = layout.legend.empty() ? area.top() + 8 : y + layout.lineHeight + 4;
    int labelWidth =
        std::max(metrics.horizontalAdvance(ValueLabel(-8888.88)), metrics.horizontalAdvance("0"));
    layout.plot = QRect(QPoint(area.left() + labelWidth + 10, top),
                        QPoint(area.right() - 12, area.bottom() - 2 * layout.lineHeight - 8));
    return layout;
}

void CGraphon::Render(QPainter& painter, const QRect& area, bool forPrint)
{
    EnsurePrepared();
    painter.save();
    painter.fillRect(area, forPrint ? Qt::white : palette().color(QPalette::Base));
    const Ink ink{forPrint ? Qt::black : palette().color(QPalette::Text),
                  forPrint ? QColor(210, 210, 210) : palette().color(QPalette::Mid)};
    QFontMetrics metrics(painter.font(), painter.device());
    if (!message_.isEmpty()) {
        DrawMessage(painter, area, ink);
        painter.restore();
        return;
    }
    Layout layout = ComputeLayout(metrics, area);
    const QRect& plot = layout.plot;
    if (plot.width() < 10 || plot.height() < 10) {
        painter.restore();
        return;
    }
    DrawLegend(painter, layout, metrics, ink);
    DrawTimeAxis(painter, layout, metrics, area, ink);
    DrawValueAxis(painter, layout, metrics, ink);
    painter.setPen(QPen(ink.text, 0));
    painter.drawRect(plot);
    DrawCurves(painter, plot);
    if (!forPrint) DrawCrosshair(painter, plot, metrics, ink);
    painter.restore();
}

void CGraphon::DrawMessage(QPainter& painter, const QRect& area, const Ink& ink) const
{
    painter.setPen(ink.text);
    painter.drawText(area.adjusted(20, 20, -20, -20), Qt::AlignCenter | Qt::TextWordWrap, message_);
}

void CGraphon::DrawLegend(QPainter& painter, const Layout& layout, const QFontMetrics& metrics,
                          const Ink& ink) const
{
    for (const auto& [swatch, pen, name] : layout.legend) {
        bool hidden = IsPenHidden(pen);
        painter.setPen(QPen(PenColor(pen), 0));
        painter.drawRect(swatch.adjusted(0, 0, -1, -1));
        if (!hidden) {
            painter.fillRect(swatch, PenColor(pen));
            // The tick of a checked box.
            const QRectF box = QRectF(swatch).adjusted(2, 2, -2, -2);
            const QPointF tick[] = {{box.left(), box.center().y()},
                                    {box.left() + box.width() * 0.4, box.bottom()},
                                    {box.right(), box.top()}};
            painter.save();
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(QPen(Qt::white, std::max(1.5, swatch.width() / 6.0)));
            painter.drawPolyline(tick, 3);
            painter.restore();
        }
        painter.setPen(hidden ? palette().color(QPalette::Disabled, QPalette::Text) : ink.text);
        painter.drawText(
            QPoint(swatch.right() + 4, swatch.top() + (swatch.height() + metrics.ascent()) / 2 - 1), name);
    }
}

void CGraphon::DrawTimeAxis(QPainter& painter, const Layout& layout, const QFontMetrics& metrics,
                            const QRect& area, const Ink& ink) const
{
    const QRect& plot = layout.plot;
    int maxTimeTicks = std::max(1, plot.width() / (metrics.horizontalAdvance("00:00:00.000") + 16));
    double step = TimeTickStep(view_.timeFrom, view_.timeTo, maxTimeTicks);
    for (double t : TimeTicks(view_.timeFrom, view_.timeTo, maxTimeTicks)) {
        int x = plot.left() +
                static_cast<int>((t - view_.timeFrom) / (view_.timeTo - view_.timeFrom) * plot.width());
        painter.setPen(QPen(ink.grid, 0, Qt::DotLine));
        painter.drawLine(x, plot.top(), x, plot.bottom());
        painter.setPen(ink.text);
        QString timeText = QString::fromStdString(FormatTickTime(t, step < 1));
        QString dateText = QString::fromStdString(FormatTickDate(t));
        int halfLabel =
            std::max(metrics.horizontalAdvance(timeText), metrics.horizontalAdvance(dateText)) / 2;
        if (x + halfLabel > area.right()) continue;  // a label the area would cut
        painter.drawText(x - metrics.horizontalAdvance(timeText) / 2, plot.bottom() + 4 + metrics.ascent(),
                         timeText);
        painter.drawText(x - metrics.horizontalAdvance(dateText) / 2,
                         plot.bottom() + 4 + layout.lineHeight + metrics.ascent(), dateText);
    }
}

void CGraphon::DrawValueAxis(QPainter& painter, const Layout& layout, const QFontMetrics& metrics,
                             const Ink& ink) const
{
    const QRect& plot = layout.plot;
    int maxValueTicks = std::max(1, plot.height() / (layout.lineHeight * 2));
    for (double v : ValueTicks(view_.valueFrom, view_.valueTo, maxValueTicks)) {
        int y = plot.bottom() -
                static_cast<int>((v - view_.valueFrom) / (view_.valueTo - view_.valueFrom) * plot.height());
        painter.setPen(QPen(ink.grid, 0, Qt::DotLine));
        painter.drawLine(plot.left(), y, plot.right(), y);
        painter.setPen(ink.text);
        QString label = ownScales_ ? ValueLabel(v) + "%" : ValueLabel(v);
        painter.drawText(plot.left() - 6 - metrics.horizontalAdvance(label), y + metrics.ascent() / 2 - 1,
                         label);
    }
}

void CGraphon::DrawCurves(QPainter& painter, const QRect& plot) const
{
    painter.setClipRect(plot.adjusted(1, 1, 0, 0));
    for (size_t s = 0; s < series_.size(); ++s) {
        if (sources_.IsSourceHidden(s)) continue;
        const std::vector<size_t> columnStarts = ColumnStarts(s, plot);
        for (size_t p = 0; p < sources_.PenCount(s); ++p)
            if (const size_t pen = sources_.PenIndex(s, p); !IsPenHidden(pen))
                DrawPen(painter, s, pen, plot, columnStarts);
    }
}

void CGraphon::DrawCrosshair(QPainter& painter, const QRect& plot, const QFontMetrics& metrics,
                             const Ink& ink)
{
    if (crosshairX_ < plot.left() || crosshairX_ > plot.right()) return;
    painter.setPen(QPen(ink.text, 0, Qt::DashLine));
    painter.drawLine(crosshairX_, plot.top(), crosshairX_, plot.bottom());
    CrosshairLabel label = Crosshair(crosshairX_);
    if (label.lines.isEmpty()) return;
    painter.setClipRect(plot);
    painter.fillRect(label.box, palette().color(QPalette::ToolTipBase));
    painter.setPen(palette().color(QPalette::ToolTipText));
    painter.drawRect(label.box.adjusted(0, 0, -1, -1));
    int baseline = label.box.top() + kCrosshairPadY + metrics.ascent();
    for (const QString& line : label.lines) {
        painter.drawText(label.box.left() + kCrosshairPadX, baseline, line);
        baseline += metrics.lineSpacing();
    }
}

std::optional<size_t> CGraphon::SampleAt(size_t source, double seconds, double tolerance) const
{
    const TrendSeries& series = series_[source];
    const size_t n = series.SampleCount();
    const double t = seconds - sources_.Offset(source);
    if (n == 0 || t < series.Time(0) - tolerance || t > series.Time(n - 1) + tolerance) return std::nullopt;
    size_t at = series.LowerBound(t);
    if (at >= n || (at > 0 && t - series.Time(at - 1) < series.Time(at) - t)) at = at == 0 ? 0 : at - 1;
    return at;
}

CrosshairLabel CGraphon::Crosshair(int x)
{
    EnsurePrepared();
    QRect plot = PlotRect();
    if (sources_.PenCount() == 0 || x < plot.left() || x > plot.right()) return {};
    const double t = TimeAt(x, plot);
    // A file's samples are read while the line is no more than a few pixels
    // beyond them; with one file, always its nearest sample.
    const double tolerance =
        series_.size() == 1 ? HUGE_VAL : 3 * (view_.timeTo - view_.timeFrom) / std::max(1, plot.width());
    std::optional<double> time;
    std::vector<CrosshairValue> values;
    for (size_t s = 0; s < series_.size(); ++s) {
        const std::optional<size_t> at = SampleAt(s, t, tolerance);
        if (at && !time) time = series_[s].Time(*at) + sources_.Offset(s);
        for (size_t p = 0; p < sources_.PenCount(s); ++p) {
            const size_t pen = sources_.PenIndex(s, p);
            if (IsPenHidden(pen)) continue;
            const double v = at ? series_[s].Value(p, *at) : std::nan("");
            values.push_back(
                {QString::fromStdString(PenName(pen)), std::isnan(v) ? QString("-") : ValueLabel(v)});
        }
    }
    if (!time) {
        if (series_.size() == 1) return {};  // no samples
        time = t;
    }
    return LayOutCrosshair(QFontMetrics(font(), this), plot, x,
                           QString::fromStdString(FormatTickDate(*time) + " " + FormatTickTime(*time, true)),
                           values);
}

int CGraphon::LegendPenAt(const QPoint& point)
{
    QFontMetrics metrics(font(), this);
    Layout layout = ComputeLayout(metrics, rect());
    for (const auto& entry : layout.legend) {
        QRect hit(entry.swatch.left(), entry.swatch.center().y() - layout.lineHeight / 2,
                  entry.swatch.width() + 4 + metrics.horizontalAdvance(entry.text), layout.lineHeight);
        if (hit.contains(point)) return static_cast<int>(entry.pen);
    }
    return -1;
}

void CGraphon::leaveEvent(QEvent*)
{
    crosshairX_ = -1;
    update();
}

std::vector<size_t> CGraphon::ColumnStarts(size_t source, const QRect& plot) const
{
    const TrendSeries& series = series_[source];
    const double offset = sources_.Offset(source);
    size_t n = series.SampleCount();
    size_t first = series.LowerBound(view_.timeFrom - offset);
    size_t last = series.LowerBound(view_.timeTo - offset);
    // Counted as DrawPen draws them, with one sample either side.
    if (n == 0 || last - first + (first > 0) + (last < n) <= static_cast<size_t>(plot.width()) * 2) return {};
    int width = plot.width();
    double timeSpan = view_.timeTo - view_.timeFrom;
    std::vector<size_t> starts(static_cast<size_t>(width) + 1);
    starts[0] = first;
    for (int c = 1; c <= width; ++c)
        starts[static_cast<size_t>(c)] = series.LowerBound(view_.timeFrom - offset + timeSpan * c / width);
    return starts;
}

void CGraphon::DrawPen(QPainter& painter, size_t source, size_t pen, const QRect& plot,
                       const std::vector<size_t>& columnStarts) const
{
    const TrendSeries& series = series_[source];
    const size_t own = sources_.Locate(pen).pen;
    const double offset = sources_.Offset(source);
    size_t n = series.SampleCount();
    if (n == 0) return;
    double timeSpan = view_.timeTo - view_.timeFrom, valueSpan = view_.valueTo - view_.valueFrom;
    // Own scales map the pen's range onto 0..100 of the axis.
    double scale = 1, shift = 0;
    if (ownScales_) {
        ValueRange range = PenRange(pen);
        scale = 100.0 / (range.max - range.min);
        shift = -range.min * scale;
    }
    auto xOf = [&](double t) {
        return plot.left() + (t + offset - view_.timeFrom) / timeSpan * plot.width();
    };
    auto yOf = [&](double v) {
        return plot.bottom() - (v * scale + shift - view_.valueFrom) / valueSpan * plot.height();
    };

    painter.setPen(QPen(PenColor(pen), 0));
    std::vector<QLineF> lines;

    if (columnStarts.empty()) {
        // One sample either side of the window keeps lines running to the edges.
        size_t first = series.LowerBound(view_.timeFrom - offset);
        size_t last = series.LowerBound(view_.timeTo - offset);
        if (first > 0) --first;
        if (last < n) ++last;
        bool havePrevious = false;
        QPointF previous;
        for (size_t i = first; i < last; ++i) {
            double v = series.Value(own, i);
            if (std::isnan(v)) {
                havePrevious = false;
                continue;
            }
            QPointF point(xOf(series.Time(i)), yOf(v));
            if (havePrevious)
                lines.emplace_back(previous, point);
            else
                lines.emplace_back(point, point + QPointF(0.5, 0));
            previous = point;
            havePrevious = true;
        }
    } else {
        // Too many samples for the pixels: one min/max stroke per column,
        // joined to the column before.
        std::optional<QPointF> previousEnd;
        for (size_t c = 0; c + 1 < columnStarts.size(); ++c) {
            ValueRange range = series.Range(own, columnStarts[c], columnStarts[c + 1]);
            if (range.empty) {
                previousEnd.reset();
                continue;
            }
            double x = plot.left() + static_cast<double>(c);
            QPointF top(x, yOf(range.max)), bottom(x, yOf(range.min));
            if (previousEnd) lines.emplace_back(*previousEnd, previousEnd->y() < bottom.y() ? top : bottom);
            lines.emplace_back(top, bottom);
            previousEnd = bottom;
        }
    }
    painter.drawLines(lines.data(), static_cast<int>(lines.size()));
}

QRect CGraphon::PlotRect()
{
    return ComputeLayout(QFontMetrics(font(), this), rect()).plot;
}

double CGraphon::TimeAt(int x, const QRect& plot) const
{
    return view_.timeFrom + (x - plot.left()) * (view_.timeTo - view_.timeFrom) / std::max(1, plot.width());
}

double CGraphon::ValueAt(int y, const QRect& plot) const
{
    return view_.valueFrom +
           (plot.bottom() - y) * (view_.valueTo - view_.valueFrom) / std::max(1, plot.height());
}

void CGraphon::PrintPage(QPainter& painter, const QRect& page)
{
    Render(painter, page, true);
}

void CGraphon::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Render(painter, rect(), false);
}

void CGraphon::wheelEvent(QWheelEvent* event)
{
    EnsurePrepared();
    QRect plot = PlotRect();
    double notches = event->angleDelta().y() / 120.0;
    if (notches == 0) return;
    ZoomTime(std::pow(kWheelZoom, notches), TimeAt(static_cast<int>(event->position().x()), plot));
    viewSet_ = true;
    event->accept();
}

void CGraphon::mousePressEvent(QMouseEvent* event)
{
    EnsurePrepared();
    pressPos_ = event->pos();
    if (event->button() == Qt::LeftButton) {
        if (int pen = LegendPenAt(event->pos()); pen >= 0) {
            SetPenHidden(static_cast<size_t>(pen), !IsPenHidden(static_cast<size_t>(pen)));
            return;
        }
        if (!rubberBand_) rubberBand_ = new QRubberBand(QRubberBand::Rectangle, this);
        rubberBand_->setGeometry(QRect(pressPos_, QSize()));
        rubberBand_->show();
    } else if (event->button() == Qt::RightButton || event->button() == Qt::MiddleButton) {
        panning_ = true;
        lastPanPos_ = event->pos();
        setCursor(Qt::ClosedHandCursor);
    }
}

void CGraphon::mouseMoveEvent(QMouseEvent* event)
{
    if (crosshairX_ != event->pos().x()) {
        crosshairX_ = event->pos().x();
        update();
    }
    if (rubberBand_ && rubberBand_->isVisible()) {
        rubberBand_->setGeometry(QRect(pressPos_, event->pos()).normalized());
    } else if (panning_) {
        QRect plot = PlotRect();
        QPoint delta = event->pos() - lastPanPos_;
        lastPanPos_ = event->pos();
        PanBy(-delta.x() * (view_.timeTo - view_.timeFrom) / std::max(1, plot.width()),
              delta.y() * (view_.valueTo - view_.valueFrom) / std::max(1, plot.height()));
    }
}

void CGraphon::mouseReleaseEvent(QMouseEvent* event)
{
    if (rubberBand_ && rubberBand_->isVisible()) {
        rubberBand_->hide();
        QRect band = QRect(pressPos_, event->pos()).normalized();
        if (band.width() > 4 && band.height() > 4) {
            QRect plot = PlotRect();
            Viewport zoomed{TimeAt(band.left(), plot), TimeAt(band.right(), plot),
                            ValueAt(band.bottom(), plot), ValueAt(band.top(), plot)};
            if (zoomed.timeTo - zoomed.timeFrom >= 0.001 && zoomed.valueTo > zoomed.valueFrom) {
                view_ = zoomed;
                moved_ = true;
                update();
            }
        }
    }
    if (panning_) {
        panning_ = false;
        unsetCursor();
    }
}

void CGraphon::mouseDoubleClickEvent(QMouseEvent*)
{
    ResetView();
}

void CGraphon::keyPressEvent(QKeyEvent* event)
{
    EnsurePrepared();
    double timeStep = (view_.timeTo - view_.timeFrom) / 10;
    double middle = (view_.timeFrom + view_.timeTo) / 2;
    switch (event->key()) {
        case Qt::Key_Home:
            ResetView();
            break;
        case Qt::Key_Left:
            PanBy(-timeStep, 0);
            break;
        case Qt::Key_Right:
            PanBy(timeStep, 0);
            break;
        case Qt::Key_Plus:
            ZoomTime(kWheelZoom, middle);
            break;
        case Qt::Key_Minus:
            ZoomTime(1 / kWheelZoom, middle);
            break;
        default:
            QWidget::keyPressEvent(event);
    }
}

}  // namespace logora::ui
