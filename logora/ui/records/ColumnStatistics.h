#pragma once
// The statistics of one column over the records counted: how many cells hold
// a value, their least and greatest, mean and standard deviation, and the
// first and last time stamp of those records; for a datalog (a tag and a
// value column) the same per tag. Numbers, dates and times are read by value
// as the filter reads them (RecordCells::Number); NaN and infinities are
// counted apart and left out of the moments, which a single one of them
// would spoil. Texts compare as the list sorts them: by their bytes.
//
// One object counts the records handed to it; objects that counted parts of
// the records merge into one, so the work may be split across threads. A
// datalog's records are counted per tag only, and the whole merged from the
// tags at the end: half the work for each record.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace logora::ui {

class RecordCells;

// Welford's running mean and sum of squared deviations, stable for any
// count; the extremes with the first record holding each.
struct Moments
{
    int64_t count = 0;
    double mean = 0;
    double m2 = 0;
    double min = 0, max = 0;
    int64_t minRecord = -1, maxRecord = -1;

    void Add(double value, int64_t record)
    {
        ++count;
        const double delta = value - mean;
        mean += delta / static_cast<double>(count);
        m2 += delta * (value - mean);
        if (count == 1 || value < min) min = value, minRecord = record;
        if (count == 1 || value > max) max = value, maxRecord = record;
    }
    // Takes in the moments of other records; of equal extremes the lower record is kept.
    void Merge(const Moments& other);
    // The sample standard deviation; empty below two values.
    std::optional<double> StandardDeviation() const;
};

struct ColumnSummary
{
    int64_t records = 0;    // read
    int64_t empty = 0;      // no value: blank, or no number in a numeric column
    int64_t nonFinite = 0;  // NaN, infinities
    Moments numbers;
    // Texts: the least and greatest non-empty cell and their records.
    int64_t texts = 0;
    std::string least, greatest;
    int64_t leastRecord = -1, greatestRecord = -1;
    // Of the records counted, in seconds since 30 December 1899.
    std::optional<double> firstTime, lastTime;

    // The values the figures are of: numbers, or texts.
    int64_t Counted() const { return numbers.count + texts; }
    void Merge(const ColumnSummary& other);
};

class ColumnStatistics
{
public:
    ColumnStatistics(const RecordCells& cells, int field);

    // `record` is the bytes of record `number`, or null when it cannot be read.
    void Add(const uint8_t* record, int64_t number);
    // Takes in what `other` counted (other records); call Finish after.
    void Merge(const ColumnStatistics& other);
    // Once every record is in: a datalog's overall figures merged from its tags'.
    void Finish();

    int Field() const { return field_; }
    bool Numeric() const { return numeric_; }
    int64_t Unreadable() const { return unreadable_; }
    const ColumnSummary& Overall() const { return overall_; }
    // Per tag, in the order the tags first appear; empty unless the table is a datalog.
    struct Tag
    {
        std::string bytes;  // the tag cell's bytes
        int64_t firstRecord;
        ColumnSummary summary;
    };
    bool ByTag() const { return tagField_ >= 0; }
    int TagField() const { return tagField_; }
    const std::vector<Tag>& Tags() const { return tags_; }

private:
    Tag& TagOf(const uint8_t* record, int64_t number);
    // The record's time stamp, read again only when its bytes differ from the last record's.
    const std::optional<double>& TimeStamp(const uint8_t* record);
    // One cell: its number (numeric columns) or its text, and its record's time stamp.
    static void Count(ColumnSummary& summary, int64_t number, const std::optional<double>& value,
                      std::string_view text, const std::optional<double>& time);

    const RecordCells& cells_;
    int field_;
    bool numeric_;
    bool timeStamps_;
    int tagField_;
    int64_t unreadable_ = 0;
    ColumnSummary overall_;
    std::vector<Tag> tags_;
    struct Hash
    {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
    };
    std::unordered_map<std::string, size_t, Hash, std::equal_to<>> tagIndex_;
    size_t lastTag_ = 0;
    std::string lastTimeBytes_;
    std::optional<double> lastTime_;
};

}  // namespace logora::ui
