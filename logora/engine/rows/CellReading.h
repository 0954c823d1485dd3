#pragma once
// What kind of value each column of a CSV export holds, and the reading of
// one column's CSV text back into that kind.

#include <cstddef>
#include <cstdint>
#include <string>

#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

class DateTextReader;
struct DBFField;
struct PlannedColumn;

// Where a cell's value is read from.
enum class CellRule {
    Text,
    Number,        // the CSV text
    Integer,       // the CSV text
    DbfDate,       // the field's "YYYYMMDD"
    TimeOfDay,     // the CSV text, "HH:MM:SS"
    OleDateTime,   // the field's OLE Automation date
    DateTimeText,  // the CSV text, a date and " HH:MM:SS" (DateTextReader)
};

struct TypedColumn
{
    RowColumn column;
    CellRule rule = CellRule::Text;
};

// The typed column of a planned CSV column over `field`, named in UTF-8;
// raw doubles show `decimalCount` digits after the point.
TypedColumn TypedColumnOf(const PlannedColumn& planned, const DBFField& field, int decimalCount,
                          std::string name);

// The text form of an alarm table's times: the room their dates are
// written for.
size_t DateTextCapacity();

// Reads the CSV text `text` (UTF-8) of a column read by `rule` into `cell`;
// a text that holds no such value leaves the cell empty, its text kept.
// `raw` are the column's bytes in the record, which a date is read from;
// `dates` reads the texts of rule DateTimeText.
void ReadCell(CellRule rule, const std::string& text, const uint8_t* raw, size_t rawLength,
              DateTextReader* dates, RowCell& cell);

}  // namespace logora
