#include "logora/ui/records/ColumnStatistics.h"

#include <algorithm>
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

// Equal bytes, for the few bytes of a tag or a time: cheaper in place than a call of memcmp.
bool SameBytes(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

}  // namespace

void Moments::Merge(const Moments& other)
{
    if (other.count == 0) return;
    if (count == 0) {
        *this = other;
        return;
    }
    // Chan, Golub and LeVeque's pairwise update.
    const double n = static_cast<double>(count), m = static_cast<double>(other.count);
    const double delta = other.mean - mean;
    mean += delta * m / (n + m);
    m2 += other.m2 + delta * delta * n * m / (n + m);
    count += other.count;
    if (other.min < min || (other.min == min && other.minRecord < minRecord))
        min = other.min, minRecord = other.minRecord;
    if (other.max > max || (other.max == max && other.maxRecord < maxRecord))
        max = other.max, maxRecord = other.maxRecord;
}

std::optional<double> Moments::StandardDeviation() const
{
    if (count < 2) return std::nullopt;
    return std::sqrt(m2 / static_cast<double>(count - 1));
}

void ColumnSummary::Merge(const ColumnSummary& other)
{
    records += other.records;
    empty += other.empty;
    nonFinite += other.nonFinite;
    numbers.Merge(other.numbers);
    if (other.texts > 0) {
        if (texts == 0 || other.least < least || (other.least == least && other.leastRecord < leastRecord))
            least = other.least, leastRecord = other.leastRecord;
        if (texts == 0 || other.greatest > greatest ||
            (other.greatest == greatest && other.greatestRecord < greatestRecord))
            greatest = other.greatest, greatestRecord = other.greatestRecord;
    }
    texts += other.texts;
    TakeEarlier(firstTime, other.firstTime);
    TakeLater(lastTime, other.lastTime);
}

ColumnStatistics::ColumnStatistics(const RecordCells& cells, int field)
    : cells_(cells),
      field_(field),
      numeric_(cells.IsNumeric(field)),
      timeStamps_(cells.HasTimeStamps()),
      tagField_(cells.TagField())
{}

void ColumnStatistics::Count(ColumnSummary& summary, int64_t number, const std::optional<double>& value,
                             std::string_view text, const std::optional<double>& time)
{
    ++summary.records;
    if (value) {
        if (!std::isfinite(*value)) {
            ++summary.nonFinite;
            return;
        }
        summary.numbers.Add(*value, number);
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
    const std::optional<double>& time = TimeStamp(record);
    Count(ByTag() ? TagOf(record, number).summary : overall_, number, value, text, time);
}

const std::optional<double>& ColumnStatistics::TimeStamp(const uint8_t* record)
{
    if (!timeStamps_) return lastTime_;
    bool same = !lastTimeBytes_.empty();
    size_t at = 0;
    for (int field : cells_.TimeStampFields()) {
        if (field < 0) continue;
        std::string_view bytes = cells_.FieldBytes(record, field);
        same = same && SameBytes(bytes, std::string_view(lastTimeBytes_).substr(at, bytes.size()));
        at += bytes.size();
    }
    if (same) return lastTime_;
    lastTimeBytes_.clear();
    for (int field : cells_.TimeStampFields())
        if (field >= 0) lastTimeBytes_ += cells_.FieldBytes(record, field);
    lastTime_ = cells_.TimeStamp(record);
    return lastTime_;
}

ColumnStatistics::Tag& ColumnStatistics::TagOf(const uint8_t* record, int64_t number)
{
    std::string_view bytes = cells_.FieldBytes(record, tagField_);
    // A datalog repeats its tag for a while, or goes round its tags in turn.
    if (lastTag_ < tags_.size() && SameBytes(tags_[lastTag_].bytes, bytes)) return tags_[lastTag_];
    const size_t next = lastTag_ + 1 < tags_.size() ? lastTag_ + 1 : 0;
    if (next < tags_.size() && SameBytes(tags_[next].bytes, bytes)) return tags_[lastTag_ = next];
    auto known = tagIndex_.find(bytes);
    if (known == tagIndex_.end()) {
        known = tagIndex_.emplace(std::string(bytes), tags_.size()).first;
        tags_.push_back({std::string(bytes), number, {}});
    }
    lastTag_ = known->second;
    return tags_[lastTag_];
}

void ColumnStatistics::Merge(const ColumnStatistics& other)
{
    unreadable_ += other.unreadable_;
    overall_.Merge(other.overall_);
    for (const Tag& tag : other.tags_) {
        auto known = tagIndex_.find(tag.bytes);
        if (known == tagIndex_.end()) {
            tagIndex_.emplace(tag.bytes, tags_.size());
            tags_.push_back(tag);
        } else {
            tags_[known->second].summary.Merge(tag.summary);
            tags_[known->second].firstRecord = std::min(tags_[known->second].firstRecord, tag.firstRecord);
        }
    }
}

void ColumnStatistics::Finish()
{
    if (!ByTag()) return;
    // Tags in the order they first appear, whichever part saw them first.
    std::sort(tags_.begin(), tags_.end(),
              [](const Tag& a, const Tag& b) { return a.firstRecord < b.firstRecord; });
    tagIndex_.clear();
    overall_ = {};
    for (size_t i = 0; i < tags_.size(); ++i) {
        tagIndex_.emplace(tags_[i].bytes, i);
        overall_.Merge(tags_[i].summary);
    }
}

}  // namespace logora::ui
