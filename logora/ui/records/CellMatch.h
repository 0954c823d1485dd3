#pragma once
// Text matching of the find and filter operations, and the values a user
// types for numbers, dates and times.

#include <optional>
#include <string>
#include <string_view>

namespace logora::ui {

class RecordCells;

struct TextQuery
{
    std::string text;
    bool matchCase = false;
    bool wholeCell = false;
};

class TextMatcher
{
public:
    explicit TextMatcher(TextQuery query);
    bool Matches(std::string_view cell) const;
    // False when no cell of a column of raw numbers can match the text, so
    // the search may skip formatting that column.
    bool MayMatchNumbers() const { return mayMatchNumbers_; }

private:
    TextQuery query_;
    mutable std::string folded_;
    bool mayMatchNumbers_;
};

// A typed bound of `field`: a number, a date ("2024-01-15" or "20240115") as
// days since 30 December 1899, a time of day ("08:00:00") as seconds, a date
// and time for a "Timestmp" column; empty when the text is none of them.
std::optional<double> ParseFieldValue(const RecordCells& cells, int field, std::string_view text);
// Without the spaces and tabs around it.
std::string_view Trimmed(std::string_view text);
// "2024-01-15 08:00:00" (or only the date) as seconds since 30 December 1899.
std::optional<double> ParseDateTime(std::string_view text);

}  // namespace logora::ui
