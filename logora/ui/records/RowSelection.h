#pragma once
// The selected rows of the list as sorted, disjoint ranges, so selecting all
// of ten million rows costs one range, as desktop lists select: a click
// selects one row, Shift extends from the anchor, Ctrl toggles a row, Ctrl
// with the keys moves the current row alone, Shift+Ctrl extends adding to
// what was selected. Find selects one cell.

#include <cstdint>
#include <utility>
#include <vector>

namespace logora::ui {

class RowSelection
{
public:
    using Range = std::pair<int64_t, int64_t>;  // [first, last]

    void Clear();
    void SelectOnly(int64_t row);
    // The row, showing only the cell of `column` as selected.
    void SelectCell(int64_t row, int column);
    // From the anchor to `row`; `adding` keeps the rows selected before the
    // extension began, else they are let go.
    void ExtendTo(int64_t row, bool adding = false);
    void Toggle(int64_t row);
    // Makes `row` current, leaving the selection and the anchor.
    void MoveCurrent(int64_t row);
    void SelectAll(int64_t rows);

    bool Contains(int64_t row) const;
    int64_t Count() const;
    bool Empty() const { return ranges_.empty(); }
    const std::vector<Range>& Ranges() const { return ranges_; }
    int64_t Current() const { return current_; }
    // The column of the selected cell, -1 when whole rows are selected.
    int CellColumn() const { return cellColumn_; }

private:
    void Add(Range range);
    void Remove(Range range);

    std::vector<Range> ranges_;
    std::vector<Range> beforeExtension_;
    int64_t anchor_ = -1;
    int64_t current_ = -1;
    int cellColumn_ = -1;
};

}  // namespace logora::ui
