#include "logora/ui/records/RecordScans.h"

#include <algorithm>

#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/RowOrder.h"

namespace logora::ui {

namespace {

double Share(int64_t done, int64_t total)
{
    return total <= 0 ? 1.0 : std::min(1.0, static_cast<double>(done) / static_cast<double>(total));
}

bool IsRawNumber(const RecordCells& cells, int field)
{
    ColumnEncoding encoding = cells.Kind(field).encoding;
    return encoding == ColumnEncoding::RawDouble || encoding == ColumnEncoding::RawInteger;
}

}  // namespace

FilterJob::FilterJob(RecordCells& cells, std::vector<ColumnFilter> filters)
    : cells_(cells), filters_(std::move(filters)), matches_(static_cast<size_t>(cells.RecordCount()), false)
{
    for (const ColumnFilter& filter : filters_)
        matchers_.emplace_back(TextQuery{filter.contains, false, false});
}

bool FilterJob::Step(int64_t records)
{
    int64_t end = std::min(cells_.RecordCount(), next_ + records);
    for (; next_ < end; ++next_) {
        const uint8_t* record = cells_.Read(next_);
        if (!record) continue;
        bool match = true;
        for (size_t i = 0; i < filters_.size() && match; ++i) {
            const ColumnFilter& filter = filters_[i];
            if (filter.from || filter.to) {
                auto value = cells_.Number(record, filter.field);
                match =
                    value && (!filter.from || *value >= *filter.from) && (!filter.to || *value <= *filter.to);
            }
            if (match && !filter.contains.empty()) {
                cells_.Text(record, filter.field, text_);
                match = matchers_[i].Matches(text_);
            }
        }
        matches_[static_cast<size_t>(next_)] = match;
    }
    return next_ >= cells_.RecordCount();
}

double FilterJob::Fraction() const
{
    return Share(next_, cells_.RecordCount());
}

FindJob::FindJob(RecordCells& cells, const RowOrder& order, std::vector<int> fields, TextQuery query,
                 int64_t startRow, int startColumn, bool forward)
    : cells_(cells),
      order_(order),
      fields_(std::move(fields)),
      matcher_(std::move(query)),
      row_(startRow),
      column_(startColumn),
      forward_(forward)
{
    for (int field : fields_) formatted_.push_back(matcher_.MayMatchNumbers() || !IsRawNumber(cells_, field));
    lastBytes_.resize(fields_.size());
}

bool FindJob::Step(int64_t records)
{
    const int64_t rows = order_.RowCount();
    const int columns = static_cast<int>(fields_.size());
    const int step = forward_ ? 1 : -1;
    for (int64_t n = 0; n < records; ++n) {
        if (row_ < 0 || row_ >= rows) return true;
        const uint8_t* record = cells_.Read(order_.RecordAt(row_));
        ++searched_;
        for (; record && column_ >= 0 && column_ < columns; column_ += step) {
            size_t i = static_cast<size_t>(column_);
            if (!formatted_[i]) continue;
            std::string_view bytes = cells_.FieldBytes(record, fields_[i]);
            if (searched_ > 1 && bytes == lastBytes_[i]) continue;
            lastBytes_[i].assign(bytes);
            cells_.Text(record, fields_[i], text_);
            if (matcher_.Matches(text_)) {
                foundRow_ = row_;
                foundColumn_ = column_;
                return true;
            }
        }
        row_ += step;
        column_ = forward_ ? 0 : columns - 1;
    }
    return row_ < 0 || row_ >= rows;
}

double FindJob::Fraction() const
{
    return Share(searched_, order_.RowCount());
}

TimeSeekJob::TimeSeekJob(RecordCells& cells, double seconds) : cells_(cells), seconds_(seconds) {}

bool TimeSeekJob::Step(int64_t records)
{
    int64_t end = std::min(cells_.RecordCount(), next_ + records);
    for (; next_ < end; ++next_) {
        const uint8_t* record = cells_.Read(next_);
        if (!record) continue;
        auto time = cells_.TimeStamp(record);
        if (time && *time >= seconds_) {
            found_ = next_;
            return true;
        }
    }
    return next_ >= cells_.RecordCount();
}

double TimeSeekJob::Fraction() const
{
    return Share(next_, cells_.RecordCount());
}

}  // namespace logora::ui
