#pragma once
// The user's short date, through the C library's locale: the date format
// (D_FMT) of the LC_TIME locale named by the environment (LC_ALL, LC_TIME,
// LANG). The "C"/"POSIX" locale's short date has a two-digit year, so there
// the short date counts as unavailable and callers use their fallback form.

#include <cstddef>

namespace logora {

// Writes the short date with its terminator when it fits into `capacity`
// bytes; returns its length, or 0 when it does not fit, the date is invalid,
// or the locale has no usable short date.
size_t FormatUserShortDate(int year, int month, int day, char* output, size_t capacity);

// Reads the locale from the environment again (the first use reads it once).
void ReloadUserLocale();

}  // namespace logora
