#pragma once
// Dates and times as a spreadsheet holds them: days since 30 December 1899,
// the time of day as the fraction, in the workbook's 1900 date system.

#include <optional>

#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

// The serial number of a Date, Time or DateTime cell's value (the time to
// the second, as the CSV shows it); none for a date the sheet cannot hold
// (before 1900 or after 9999) or an invalid one.
std::optional<double> SerialOf(const CivilTime& when, CellKind kind);

}  // namespace logora
