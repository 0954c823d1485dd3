#include "logora/ui/app/TileLayout.h"

#include <cmath>

namespace logora::ui {

namespace {

// Edge `i` of `parts` equal parts of `length` starting at `origin`.
int Edge(int origin, int length, int parts, int i)
{
    return origin + static_cast<int>(static_cast<long long>(length) * i / parts);
}

}  // namespace

std::vector<QRect> TileRects(int count, const QRect& area)
{
    std::vector<QRect> tiles;
    if (count <= 0 || area.isEmpty()) return tiles;
    const int columns = static_cast<int>(std::ceil(std::sqrt(static_cast<double>(count))));
    const int rows = (count + columns - 1) / columns;
    for (int row = 0; row < rows; ++row) {
        const int inRow = row + 1 < rows ? columns : count - columns * (rows - 1);
        const int top = Edge(area.top(), area.height(), rows, row);
        const int bottom = Edge(area.top(), area.height(), rows, row + 1);
        for (int column = 0; column < inRow; ++column) {
            const int left = Edge(area.left(), area.width(), inRow, column);
            const int right = Edge(area.left(), area.width(), inRow, column + 1);
            tiles.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
        }
    }
    return tiles;
}

}  // namespace logora::ui
