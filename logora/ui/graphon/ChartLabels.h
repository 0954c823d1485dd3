#pragma once
// The texts the chart draws over its plot: pen names shortened to the room
// there is, and the crosshair's box of the time and each shown pen's value.

#include <QRect>
#include <QStringList>
#include <vector>

class QFontMetrics;

namespace logora::ui {

// A pen's name cut with an ellipsis to `width` pixels, as the legend and the
// crosshair show it.
QString ShortPenName(const QFontMetrics& metrics, const QString& name, int width);

struct CrosshairValue
{
    QString pen;
    QString value;
};

struct CrosshairLabel
{
    QRect box;          // the frame, inside the plot
    QStringList lines;  // one line each, drawn `lineSpacing` apart from the box's padding
};

constexpr int kCrosshairPadX = 4, kCrosshairPadY = 3;

// The box beside the crosshair at `x`, on the side with more room, inside
// `plot` and clear of the crosshair. Names are shortened so every value shows;
// lines the plot's height cannot hold give way to one that counts them.
CrosshairLabel LayOutCrosshair(const QFontMetrics& metrics, const QRect& plot, int x, const QString& time,
                               const std::vector<CrosshairValue>& values);

}  // namespace logora::ui
