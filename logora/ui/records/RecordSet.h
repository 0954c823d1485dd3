#pragma once
// The records an operation counts, in no particular order: ranges of record
// numbers (all records, a selection of a list in file order) or a list of
// them (the records a filter shows, the selection of a sorted list). A list
// is put in file order, so it reads the table front to back. Entries are
// numbered, so the set splits into parts by entry.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace logora::ui {

class RowOrder;
class RowSelection;

class RecordSet
{
public:
    using Range = std::pair<int64_t, int64_t>;  // [first, last]

    static RecordSet All(int64_t records);
    // Sorted, disjoint ranges.
    static RecordSet Ranges(std::vector<Range> ranges);
    // Each record once.
    static RecordSet Listed(std::vector<uint32_t> records);

    int64_t Count() const { return count_; }
    // Calls `visit(record)` for the entries `from` to `to` (excluded).
    template <typename Visitor>
    void Visit(int64_t from, int64_t to, Visitor&& visit) const
    {
        if (listed_) {
            for (int64_t i = from; i < to; ++i) visit(static_cast<int64_t>(records_[static_cast<size_t>(i)]));
            return;
        }
        size_t range = RangeOfEntry(from);
        int64_t record = ranges_.empty() ? 0 : ranges_[range].first + (from - starts_[range]);
        for (int64_t i = from; i < to; ++i) {
            if (record > ranges_[range].second) record = ranges_[++range].first;
            visit(record++);
        }
    }

private:
    size_t RangeOfEntry(int64_t entry) const;

    bool listed_ = false;
    std::vector<Range> ranges_;
    std::vector<int64_t> starts_;  // entry of each range's first record
    std::vector<uint32_t> records_;
    int64_t count_ = 0;
};

// The records of the list's rows: every row, or the selected ones.
RecordSet ShownRecordSet(const RowOrder& order);
RecordSet SelectedRecordSet(const RowOrder& order, const RowSelection& selection);

}  // namespace logora::ui
