#include "logora/ui/records/RecordSet.h"

#include <algorithm>

#include "logora/ui/records/CopyText.h"
#include "logora/ui/records/RowOrder.h"
#include "logora/ui/records/RowSelection.h"

namespace logora::ui {

RecordSet RecordSet::All(int64_t records)
{
    return Ranges(records > 0 ? std::vector<Range>{{0, records - 1}} : std::vector<Range>{});
}

RecordSet RecordSet::Ranges(std::vector<Range> ranges)
{
    RecordSet set;
    set.ranges_ = std::move(ranges);
    for (const auto& [first, last] : set.ranges_) {
        set.starts_.push_back(set.count_);
        set.count_ += last - first + 1;
    }
    return set;
}

RecordSet RecordSet::Listed(std::vector<uint32_t> records)
{
    RecordSet set;
    set.listed_ = true;
    if (!std::is_sorted(records.begin(), records.end())) {
        // A bit per record puts them in file order in two passes over memory,
        // where a sort of ten million would keep the list waiting.
        std::vector<bool> listed(static_cast<size_t>(*std::max_element(records.begin(), records.end())) + 1);
        for (uint32_t record : records) listed[record] = true;
        size_t next = 0;
        for (size_t record = 0; record < listed.size(); ++record)
            if (listed[record]) records[next++] = static_cast<uint32_t>(record);
        records.resize(next);
    }
    set.records_ = std::move(records);
    set.count_ = static_cast<int64_t>(set.records_.size());
    return set;
}

size_t RecordSet::RangeOfEntry(int64_t entry) const
{
    auto after = std::upper_bound(starts_.begin(), starts_.end(), entry);
    return after == starts_.begin() ? 0 : static_cast<size_t>(after - starts_.begin() - 1);
}

RecordSet ShownRecordSet(const RowOrder& order)
{
    return order.IsFiltered() ? RecordSet::Listed(order.ShownRecords()) : RecordSet::All(order.RecordCount());
}

RecordSet SelectedRecordSet(const RowOrder& order, const RowSelection& selection)
{
    // Rows in file order are the records themselves.
    if (!order.IsFiltered() && !order.IsSorted()) return RecordSet::Ranges(selection.Ranges());
    return RecordSet::Listed(SelectedRecords(order, selection));
}

}  // namespace logora::ui
