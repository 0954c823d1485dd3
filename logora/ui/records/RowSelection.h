#pragma once
// The selected rows of the list as sorted, disjoint ranges, so selecting all
// of ten million rows costs one range: a click selects one row, Shift extends
// from the anchor, Ctrl toggles a row.

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
    // From the anchor to `row`, replacing what the last extension added.
    void ExtendTo(int64_t row);
    void Toggle(int64_t row);
    void SelectAll(int64_t rows);

    bool Contains(int64_t row) const;
    int64_t Count() const;
    bool Empty() const { return ranges_.empty(); }
    const std::vector<Range>& Ranges() const { return ranges_; }
    int64_t Current() const { return current_; }

private:
    void Add(Range range);
    void Remove(Range range);

    std::vector<Range> ranges_;
    std::vector<Range> beforeExtension_;
    int64_t anchor_ = -1;
    int64_t current_ = -1;
};

}  // namespace logora::ui
