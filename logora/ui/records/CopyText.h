#pragma once
// The text that Copy puts on the clipboard: a header line of the shown
// column names, then one line per selected row in list order, cells
// separated by tabs (tabs and line breaks inside a cell become spaces).

#include <string>
#include <vector>

namespace logora::ui {

class RecordCells;
class RowOrder;
class RowSelection;

std::string CopyText(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                     const std::vector<int>& fields, const std::vector<std::string>& names);

}  // namespace logora::ui
