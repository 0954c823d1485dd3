#pragma once
// Which record each row of the list shows: file order, a sort order, and a
// filter on top of either. The sort order is an index of record numbers
// (4 bytes a record), never a copy of the table; the filter keeps one bit a
// record and the list of the shown records in the current order.

#include <cstdint>
#include <vector>

#include "logora/ui/records/RecordIndex.h"

namespace logora::ui {

class RowOrder
{
public:
    explicit RowOrder(int64_t records = 0) : records_(records) {}

    int64_t RecordCount() const { return records_; }
    int64_t RowCount() const;
    int64_t RecordAt(int64_t row) const;
    // The row showing `record`, -1 when the filter hides it.
    int64_t RowOf(int64_t record) const;

    // `index` holds every record number once, in the new order.
    void SetSort(RecordIndex index, int field, bool ascending);
    void ClearSort();
    bool IsSorted() const { return sortField_ >= 0; }
    int SortField() const { return sortField_; }
    bool SortAscending() const { return ascending_; }

    // `matches` holds one entry per record.
    void SetFilter(std::vector<bool> matches);
    void ClearFilter();
    bool IsFiltered() const { return filtered_; }
    // The records the filter shows, in the current order.
    const std::vector<uint32_t>& ShownRecords() const { return shown_; }
    // Every record in the sort order, whatever the filter hides.
    std::vector<uint32_t> SortedRecords() const;

private:
    void RebuildShown();

    int64_t records_;
    RecordIndex sorted_;  // empty: file order
    int sortField_ = -1;
    bool ascending_ = true;
    bool filtered_ = false;
    std::vector<bool> matches_;
    std::vector<uint32_t> shown_;  // the filtered records in the current order
};

}  // namespace logora::ui
