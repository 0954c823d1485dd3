#pragma once
// What kind of value each column of a CSV export holds, and the reading of
// one column's CSV text back into that kind.

#include <cstddef>
#include <cstdint>
#include <string>

#include "logora/engine/rows/RowCell.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

struct DBFField;
struct PlannedColumn;

// The typed column of a planned CSV column over `field`, named in UTF-8;
// raw doubles show `decimalCount` digits after the point.
RowColumn TypedColumnOf(const PlannedColumn& planned, const DBFField& field, int decimalCount,
                        std::string name);

// Reads the CSV text `text` (UTF-8) of a column of `kind` into `cell`; a
// text that holds no such value leaves the cell empty, its text kept.
// `raw` are the column's bytes in the record, which a date is read from.
void ReadCell(CellKind kind, const std::string& text, const uint8_t* raw, size_t rawLength, RowCell& cell);

}  // namespace logora
