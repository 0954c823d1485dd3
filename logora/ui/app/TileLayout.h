#pragma once
// Where Window > Tile puts each document window: a grid of as many columns
// as the square root of the count asks, rounded up, filled row by row, the
// last row's windows sharing its whole width. Every tile lies inside the
// workspace, however many windows there are.

#include <QRect>
#include <vector>

namespace logora::ui {

std::vector<QRect> TileRects(int count, const QRect& area);

}  // namespace logora::ui
