#pragma once
// The typed columns of a table's rows, for outputs that keep types (a
// workbook, a database, arrays in Python): the columns of the CSV list form,
// or of its table form, each with the kind of value it holds. A row holds the
// values the CSV line shows, not the raw bytes behind them.

#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/dbf/ColumnRoles.h"

namespace logora {

enum class CellKind {
    Number,    // a decimal number shown with `decimals` digits after the point
    Integer,   // a whole number
    Date,      // a calendar date
    Time,      // a time of day
    DateTime,  // a date and a time of day
    Text,      // text, UTF-8
};

struct RowColumn
{
    std::string name;  // as the CSV heading names it, UTF-8
    CellKind kind = CellKind::Text;
    int decimals = 0;  // Number: digits after the point in the CSV text
    ColumnRole role = ColumnRole::Other;
};

struct RowLayout
{
    std::vector<RowColumn> columns;
    // True when each row also carries the record's date and time of day (a
    // table with a date and a time column): its time stamp to the
    // millisecond, given beside the columns.
    bool hasTimeStamp = false;
    // True for the table form: one row per time stamp, one column per tag.
    bool tableForm = false;
    // The records the table announces: the rows to expect (at most, in the
    // table form), for a writer that sizes its storage before the first row.
    int64_t announcedRecords = 0;
};

}  // namespace logora
