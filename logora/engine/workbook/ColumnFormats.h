#pragma once
// How a sheet shows each kind of column: the number format of its cells and
// a width that fits what the CSV shows, so no date turns into "#####".

#include <string>

#include "logora/engine/rows/RowLayout.h"

namespace logora {

// The date formats of the user's short date, once per workbook: the locale
// does not change during a run.
struct DateFormats
{
    std::string date;      // a dBASE date column
    std::string dateTime;  // the date of a time stamp
};

DateFormats UserDateFormats();

// The number format of the column's cells: "0.00" for two decimals, "0"
// for whole numbers, the date formats, "hh:mm:ss"; empty for text.
std::string NumberFormatOf(const RowColumn& column, const DateFormats& dates);

// A column width in characters that fits the heading and, for a format with
// a fixed length, the cells.
double ColumnWidth(const RowColumn& column, const std::string& numberFormat);

}  // namespace logora
