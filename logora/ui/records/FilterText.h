#pragma once
// The filter row's text of one column: "a..b" bounds a number, date or time
// (either side may be left out: "10.." or "..20"); any other text is looked
// for in the cells, letter case ignored, as the Filter dialog's "Contains".

#include <string>
#include <string_view>

#include "logora/ui/records/RecordScans.h"

namespace logora::ui {

class RecordCells;

// False, with `filter` unchanged, when a bound is no value of the column.
bool ParseFilterText(const RecordCells& cells, int field, std::string_view typed, ColumnFilter& filter);
// What the row shows for a filter: its range, else its text.
std::string FilterText(const ColumnFilter& filter);
// Whether the filter holds any condition.
bool HasCondition(const ColumnFilter& filter);

}  // namespace logora::ui
