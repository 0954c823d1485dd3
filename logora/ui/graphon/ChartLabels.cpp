#include "logora/ui/graphon/ChartLabels.h"

#include <QFontMetrics>
#include <algorithm>

namespace logora::ui {

namespace {

constexpr int kGap = 8;  // between the crosshair and its box
constexpr int kTop = 5;  // below the plot's top edge

}  // namespace

QString ShortPenName(const QFontMetrics& metrics, const QString& name, int width)
{
    return metrics.elidedText(name, Qt::ElideRight, std::max(0, width));
}

CrosshairLabel LayOutCrosshair(const QFontMetrics& metrics, const QRect& plot, int x, const QString& time,
                               const std::vector<CrosshairValue>& values)
{
    // Inside the plot's frame line.
    const QRect inner = plot.adjusted(1, 1, -1, -1);
    // On the wider side of the crosshair, so the box never hides the line.
    const int side = std::max(x - inner.left(), inner.right() - x) - kGap;
    const int room = std::max(0, side - 2 * kCrosshairPadX);
    const int maxLines = std::max(2, (inner.height() - 2 * kCrosshairPadY) / metrics.lineSpacing());
    CrosshairLabel label;
    label.lines << metrics.elidedText(time, Qt::ElideRight, room);
    size_t shown = values.size();
    if (values.size() + 1 > static_cast<size_t>(maxLines)) shown = static_cast<size_t>(maxLines) - 2;
    for (size_t i = 0; i < shown; ++i) {
        // The value is what the box is for: the name gives way first.
        QString value = ": " + values[i].value;
        QString line = ShortPenName(metrics, values[i].pen, room - metrics.horizontalAdvance(value)) + value;
        label.lines << metrics.elidedText(line, Qt::ElideRight, room);
    }
    if (shown < values.size())
        label.lines << metrics.elidedText(QString("%1 more").arg(values.size() - shown), Qt::ElideRight,
                                          room);

    int width = 0;
    for (const QString& line : label.lines) width = std::max(width, metrics.horizontalAdvance(line));
    QSize size(width + 2 * kCrosshairPadX,
               static_cast<int>(label.lines.size()) * metrics.lineSpacing() + 2 * kCrosshairPadY);
    int left = x + kGap + size.width() - 1 > inner.right() ? x - kGap - size.width() : x + kGap;
    left = std::clamp(left, inner.left(), std::max(inner.left(), inner.right() - size.width() + 1));
    int top = std::max(inner.top(), std::min(plot.top() + kTop, inner.bottom() - size.height() + 1));
    label.box = QRect(QPoint(left, top), size);
    return label;
}

}  // namespace logora::ui
