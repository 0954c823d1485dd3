#pragma once
// The spreadsheet number format that shows a date as the CSV export writes
// it: the user's short date when it fits the text's capacity, else the
// month/day/year form (CDataFormatHelper::FormatCalendarDate).

#include <cstddef>
#include <string>

namespace logora {

// A number format such as "dd\.mm\.yyyy" for dates written with `capacity`
// (CDataFormatHelper::kCsvDateCapacity for dBASE dates, kTimestampCapacity
// for the date of a time stamp). Separators are escaped, so the sheet shows
// them as the CSV does whatever the reader's regional settings. A short date
// that holds more than day, month and year numbers (names of months or days)
// gives the month/day/year form.
std::string DateNumberFormat(size_t capacity);

}  // namespace logora
