#pragma once
// The user's short date through the C library's locale: the date format
// (D_FMT) of the LC_TIME locale named by the environment (LC_ALL, LC_TIME,
// LANG), read once and again on request. The "C"/"POSIX" locale's short date
// has a two-digit year, so there it counts as unavailable.

#include <cstddef>
#include <ctime>

namespace platform {

// Writes `date` in the short date format with its terminator when it fits
// into `capacity` bytes; returns its length, or 0 when it does not fit or the
// locale has no usable short date. `date` needs year, month, day of month,
// weekday and day of the year.
size_t FormatUserShortDate(const std::tm& date, char* output, size_t capacity);

// Reads the locale from the environment again.
void ReloadUserTimeLocale();

}  // namespace platform
