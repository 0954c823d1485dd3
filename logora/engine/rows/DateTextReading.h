#pragma once
// Reads back the date-and-time texts the alarm tables hold: the date as the
// CSV writes a calendar date (the user's short date where it fits, else
// month/day/year), then " HH:MM:SS". A text is taken as a date only when
// that date, written again, gives the text itself, so a value read is never
// another than the one shown.

#include <cstddef>
#include <string>
#include <string_view>

#include "logora/engine/rows/RowCell.h"

namespace logora {

class DateTextReader
{
public:
    // Texts written for a room of `capacity` bytes.
    explicit DateTextReader(size_t capacity);

    // False when `text` is no date and time written so.
    bool Read(std::string_view text, CivilTime& when);

private:
    // Which of the date's three numbers is the year, the month, the day.
    struct Order
    {
        int year, month, day;
    };
    bool ReadDate(std::string_view text, CivilTime& when) const;
    bool WritesAs(const int (&numbers)[3], const Order& order, std::string_view text, CivilTime& when) const;

    size_t capacity_;
    Order shortDate_{-1, -1, -1};  // the user's short date; -1 where it has no such number
    std::string lastDate_;
    CivilTime lastWhen_;
    bool lastRead_ = false;
};

}  // namespace logora
