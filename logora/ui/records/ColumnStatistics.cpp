#include "logora/ui/records/ColumnStatistics.h"

#include <cmath>

#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

void TakeEarlier(std::optional<double>& mine, const std::optional<double>& other)
{
    if (other && (!mine || *other < *mine)) mine = other;
}

void TakeLater(std::optional<double>& mine, const std::optional<double>& other)
{
    if (other && (!mine || *other > *mine)) mine = other;
}

}  // namespace

void Moments::Merge(const Moments& later)
{
    if (later.count == 0) return;
    if (count == 0) {
        *this = later;
        return;
    }
    // Chan, Golub and LeVeque's pairwise update.
    const double n = static_cast<double>(count), m = static_cast<double>(later.count);
    const double delta = later.mean - mean;
    mean += delta * m / (n + m);
    m2 += later.m2 + delta * delta * n * m / (n + m);
    count += later.count;
    if (later.min < min) min = later.min, minRecord = later.minRecord;
    if (later.max > max) max = later.max, maxRecord = later.maxRecord;
}

std::optional<double> Moments::StandardDeviation() const
{
    if (count < 2) return std::nullopt;
    return std::sqrt(m2 / static_cast<double>(count - 1));
}

void ColumnSummary::Merge(const ColumnSummary& later)
{
    records += later.records;
    empty += later.empty;
    nonFinite += later.nonFinite;
    numbers.Merge(later.numbers);
    if (later.texts > 0 && (texts == 0 || later.least < least))
        least = later.least, leastRecord = later.leastRecord;
    if (later.texts > 0 && (texts == 0 || later.greatest > greatest))
        greatest = later.greatest, greatestRecord = later.greatestRecord;
    texts += later.texts;
    TakeEarlier(firstTime, later.firstTime);
    TakeLater(lastTime, later.lastTime);
}

ColumnStatistics::ColumnStatistics(const RecordCells& cells, int field)
    : cells_(cells), field_(field), numeric_(cells.IsNumeric(field)), timeStamps_(cells.HasTimeStamps())
{
    bool value = false;
    for (int i = 0; i < cells.FieldCount(); ++i) {
        if (cells.Kind(i).role == ColumnRole::Tag && tagField_ < 0) tagField_ = i;
        value = value || cells.Kind(i).role == ColumnRole::Value;
    }
    if (!value) tagField_ = -1;
}

void ColumnStatistics::Count(ColumnSummary& summary, int64_t number, const std::optional<double>& value,
                             std::string_view text, const std::optional<double>& time)
{
    ++summary.records;
    if (value) {
        if (std::isfinite(*value))
            summary.numbers.Add(*value, number);
        else
            ++summary.nonFinite;
    } else if (!text.empty()) {
        if (summary.texts == 0 || text < summary.least) summary.least = text, summary.leastRecord = number;
        if (summary.texts == 0 || text > summary.greatest)
            summary.greatest = text, summary.greatestRecord = number;
        ++summary.texts;
    } else {
        ++summary.empty;
        return;
    }
    TakeEarlier(summary.firstTime, time);
    TakeLater(summary.lastTime, time);
}

void ColumnStatistics::Add(const uint8_t* record, int64_t number)
{
    if (!record) {
        ++unreadable_;
        return;
    }
    std::optional<double> value;
    std::string_view text;
    if (numeric_)
        value = cells_.Number(record, field_);
    else
        text = cells_.RawText(record, field_);
    const std::optional<double> time = timeStamps_ ? cells_.TimeStamp(record) : std::nullopt;
    Count(overall_, number, value, text, time);
    if (ByTag()) Count(TagOf(record, number).summary, number, value, text, time);
}

ColumnStatistics::Tag& ColumnStatistics::TagOf(const uint8_t* record, int64_t number)
{
    std::string_view bytes = cells_.FieldBytes(record, tagField_);
    // A datalog often repeats its tag for a while.
    if (lastTag_ < tags_.size() && tags_[lastTag_].bytes == bytes) return tags_[lastTag_];
    auto known = tagIndex_.find(bytes);
    if (known == tagIndex_.end()) {
        known = tagIndex_.emplace(std::string(bytes), tags_.size()).first;
        tags_.push_back({std::string(bytes), number, {}});
    }
    lastTag_ = known->second;
    return tags_[lastTag_];
}

void ColumnStatistics::Merge(const ColumnStatistics& later)
{
    unreadable_ += later.unreadable_;
    overall_.Merge(later.overall_);
    for (const Tag& tag : later.tags_) {
        auto known = tagIndex_.find(tag.bytes);
        if (known == tagIndex_.end()) {
            tagIndex_.emplace(tag.bytes, tags_.size());
            tags_.push_back(tag);
        } else {
            tags_[known->second].summary.Merge(tag.summary);
        }
    }
}

}  // namespace logora::ui
