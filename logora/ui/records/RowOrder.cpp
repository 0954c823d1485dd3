#include "logora/ui/records/RowOrder.h"

#include <algorithm>

namespace logora::ui {

int64_t RowOrder::RowCount() const
{
    return filtered_ ? static_cast<int64_t>(shown_.size()) : records_;
}

int64_t RowOrder::RecordAt(int64_t row) const
{
    if (row < 0 || row >= RowCount()) return -1;
    size_t at = static_cast<size_t>(row);
    if (filtered_) return shown_[at];
    return sorted_.empty() ? row : sorted_[at];
}

int64_t RowOrder::RowOf(int64_t record) const
{
    if (record < 0 || record >= records_) return -1;
    if (filtered_ && !matches_[static_cast<size_t>(record)]) return -1;
    if (filtered_) {
        auto at = sorted_.empty()
                      ? std::lower_bound(shown_.begin(), shown_.end(), static_cast<uint32_t>(record))
                      : std::find(shown_.begin(), shown_.end(), static_cast<uint32_t>(record));
        return at == shown_.end() ? -1 : at - shown_.begin();
    }
    if (sorted_.empty()) return record;
    for (size_t row = 0; row < sorted_.size(); ++row)
        if (sorted_[row] == record) return static_cast<int64_t>(row);
    return -1;
}

std::vector<uint32_t> RowOrder::SortedRecords() const
{
    std::vector<uint32_t> records(static_cast<size_t>(records_));
    for (size_t row = 0; row < records.size(); ++row)
        records[row] = sorted_.empty() ? static_cast<uint32_t>(row) : sorted_[row];
    return records;
}

void RowOrder::SetSort(RecordIndex index, int field, bool ascending)
{
    sorted_ = std::move(index);
    sortField_ = field;
    ascending_ = ascending;
    RebuildShown();
}

void RowOrder::ClearSort()
{
    sorted_ = RecordIndex();
    sortField_ = -1;
    RebuildShown();
}

void RowOrder::SetFilter(std::vector<bool> matches)
{
    matches_ = std::move(matches);
    matches_.resize(static_cast<size_t>(records_), false);
    filtered_ = true;
    RebuildShown();
}

void RowOrder::ClearFilter()
{
    filtered_ = false;
    std::vector<bool>().swap(matches_);
    std::vector<uint32_t>().swap(shown_);
}

void RowOrder::RebuildShown()
{
    if (!filtered_) return;
    shown_.clear();
    if (sorted_.empty()) {
        for (size_t r = 0; r < matches_.size(); ++r)
            if (matches_[r]) shown_.push_back(static_cast<uint32_t>(r));
    } else {
        for (size_t row = 0; row < sorted_.size(); ++row)
            if (uint32_t r = sorted_[row]; matches_[r]) shown_.push_back(r);
    }
    shown_.shrink_to_fit();
}

}  // namespace logora::ui
