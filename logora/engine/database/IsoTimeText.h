#pragma once
// Dates and times as the ISO 8601 texts SQLite's date and time functions
// read, which also sort as the times they name: "2024-03-01", "13:05:09",
// "2024-03-01 13:05:09", to the millisecond "2024-03-01 13:05:09.250".

#include <chrono>
#include <string_view>

#include "logora/engine/rows/RowCell.h"

namespace logora {

// Room for the longest text with a year of four digits.
struct IsoText
{
    char bytes[24];
    int length = 0;
    std::string_view View() const { return {bytes, static_cast<size_t>(length)}; }
};

IsoText IsoDate(const CivilTime& when);
IsoText IsoTime(const CivilTime& when);
IsoText IsoDateTime(const CivilTime& when);
IsoText IsoDateTimeMilliseconds(const CivilTime& when);
// The moment in UTC to the second, marked so: "2024-03-01 13:05:09Z".
IsoText IsoUtc(std::chrono::system_clock::time_point moment);

}  // namespace logora
