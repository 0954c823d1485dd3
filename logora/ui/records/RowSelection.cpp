#include "logora/ui/records/RowSelection.h"

#include <algorithm>

namespace logora::ui {

void RowSelection::Clear()
{
    ranges_.clear();
    beforeExtension_.clear();
    anchor_ = current_ = -1;
    cellColumn_ = -1;
}

void RowSelection::SelectOnly(int64_t row)
{
    Clear();
    if (row < 0) return;
    ranges_.push_back({row, row});
    anchor_ = current_ = row;
}

void RowSelection::SelectCell(int64_t row, int column)
{
    SelectOnly(row);
    if (row >= 0) cellColumn_ = column;
}

void RowSelection::ExtendTo(int64_t row, bool adding)
{
    if (row < 0) return;
    if (anchor_ < 0) return SelectOnly(row);
    if (!adding) beforeExtension_.clear();
    ranges_ = beforeExtension_;
    Add({std::min(anchor_, row), std::max(anchor_, row)});
    current_ = row;
    cellColumn_ = -1;
}

void RowSelection::Toggle(int64_t row)
{
    if (row < 0) return;
    if (Contains(row))
        Remove({row, row});
    else
        Add({row, row});
    beforeExtension_ = ranges_;
    anchor_ = current_ = row;
    cellColumn_ = -1;
}

void RowSelection::MoveCurrent(int64_t row)
{
    if (row < 0) return;
    current_ = row;
    cellColumn_ = -1;
}

void RowSelection::SelectAll(int64_t rows)
{
    Clear();
    if (rows <= 0) return;
    ranges_.push_back({0, rows - 1});
    anchor_ = 0;
    current_ = rows - 1;
}

bool RowSelection::Contains(int64_t row) const
{
    auto after = std::upper_bound(ranges_.begin(), ranges_.end(), row,
                                  [](int64_t r, const Range& range) { return r < range.first; });
    return after != ranges_.begin() && std::prev(after)->second >= row;
}

int64_t RowSelection::Count() const
{
    int64_t count = 0;
    for (const Range& range : ranges_) count += range.second - range.first + 1;
    return count;
}

void RowSelection::Add(Range range)
{
    std::vector<Range> merged;
    for (const Range& r : ranges_) {
        if (r.second + 1 < range.first || r.first > range.second + 1) {
            merged.push_back(r);
        } else {
            range.first = std::min(range.first, r.first);
            range.second = std::max(range.second, r.second);
        }
    }
    merged.push_back(range);
    std::sort(merged.begin(), merged.end());
    ranges_ = std::move(merged);
}

void RowSelection::Remove(Range range)
{
    std::vector<Range> kept;
    for (const Range& r : ranges_) {
        if (r.second < range.first || r.first > range.second) {
            kept.push_back(r);
            continue;
        }
        if (r.first < range.first) kept.push_back({r.first, range.first - 1});
        if (r.second > range.second) kept.push_back({range.second + 1, r.second});
    }
    ranges_ = std::move(kept);
}

}  // namespace logora::ui
