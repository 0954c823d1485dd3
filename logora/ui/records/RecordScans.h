#pragma once
// The scans behind Filter, Find and Go to, each a RecordJob.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logora/ui/records/CellMatch.h"
#include "logora/ui/records/RecordJob.h"

namespace logora::ui {

class RecordCells;
class RowOrder;

// One column's condition: its display text contains `contains` (letter case
// ignored), and its value lies within the bounds that are set.
struct ColumnFilter
{
    int field = 0;
    std::string contains;
    std::optional<double> from, to;
    std::string fromText, toText;  // as typed
};

// Marks the records that meet every condition, in file order.
class FilterJob : public RecordJob
{
public:
    FilterJob(RecordCells& cells, std::vector<ColumnFilter> filters);
    bool Step(int64_t records) override;
    double Fraction() const override;
    std::vector<bool> TakeMatches() { return std::move(matches_); }

private:
    RecordCells& cells_;
    std::vector<ColumnFilter> filters_;
    std::vector<TextMatcher> matchers_;
    std::vector<bool> matches_;
    int64_t next_ = 0;
    std::string text_;
};

// Looks for a cell of `fields` holding the query, cell after cell of the
// list from `startRow` and `startColumn` (an index into `fields`, both
// included) forward, or backward from the last cell to the first.
class FindJob : public RecordJob
{
public:
    FindJob(RecordCells& cells, const RowOrder& order, std::vector<int> fields, TextQuery query,
            int64_t startRow, int startColumn, bool forward);
    bool Step(int64_t records) override;
    double Fraction() const override;
    int64_t FoundRow() const { return foundRow_; }
    // Index into `fields` of the matching cell.
    int FoundColumn() const { return foundColumn_; }
    int64_t RowsSearched() const { return searched_; }

private:
    RecordCells& cells_;
    const RowOrder& order_;
    std::vector<int> fields_;
    std::vector<bool> formatted_;  // per field: whether its cells can match at all
    // Per field, the bytes of the cell looked at last: neighbouring records
    // of a datalog often repeat a date, time or status, and those need no
    // formatting again (they did not match).
    std::vector<std::string> lastBytes_;
    TextMatcher matcher_;
    int64_t row_;
    int column_;
    bool forward_;
    int64_t searched_ = 0;
    int64_t foundRow_ = -1;
    int foundColumn_ = -1;
    std::string text_;
};

// The first record, in file order, whose time stamp is at or after `seconds`
// (since 30 December 1899).
class TimeSeekJob : public RecordJob
{
public:
    TimeSeekJob(RecordCells& cells, double seconds);
    bool Step(int64_t records) override;
    double Fraction() const override;
    int64_t FoundRecord() const { return found_; }

private:
    RecordCells& cells_;
    double seconds_;
    int64_t next_ = 0;
    int64_t found_ = -1;
};

}  // namespace logora::ui
