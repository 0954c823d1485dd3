#include "logora/ui/listview/ColumnStates.h"

#include <algorithm>

namespace logora::ui {

int MapColumnToField(const std::vector<int>& requested, int column)
{
    int seen = -1;
    for (size_t field = 0; field < requested.size(); ++field)
        if (requested[field] == kColumnShown && ++seen == column) return static_cast<int>(field);
    return 0;
}

std::vector<ColumnChange> PlanColumnRefresh(const std::vector<int>& requested, std::vector<int>& displayed)
{
    std::vector<ColumnChange> changes;
    size_t count = std::min(requested.size(), displayed.size());
    for (size_t i = 0; i < count; ++i) {
        if (requested[i] == displayed[i]) continue;
        int position = static_cast<int>(
            std::count(displayed.begin(), displayed.begin() + static_cast<std::ptrdiff_t>(i), kColumnShown));
        if (requested[i] == kColumnShown) {
            changes.push_back({true, static_cast<int>(i), position});
            displayed[i] = kColumnShown;
        } else if (requested[i] == kColumnHidden) {
            changes.push_back({false, static_cast<int>(i), position});
            displayed[i] = kColumnHidden;
        }
    }
    return changes;
}

int ColumnWidth(int nameLength, int fieldLength, int maxCharWidth, int maxWidth)
{
    int width = std::min(std::max(nameLength, fieldLength) * maxCharWidth, maxWidth);
    return static_cast<int16_t>(width);
}

int MaxColumnWidth(int screenWidth, size_t fieldCount)
{
    if (fieldCount == 0) return screenWidth / 2;
    return static_cast<int>(static_cast<unsigned>(screenWidth) / static_cast<unsigned>(fieldCount));
}

}  // namespace logora::ui
