#pragma once
// Save Shown: what the list shows, as a file. The shown columns in their
// order, and every record in the list's order, only those the filter shows,
// or only the selected ones. The document writes them (list-form CSV or a
// typed output), as it writes every save.

#include <cstdint>
#include <optional>
#include <vector>

#include "logora/ui/records/ShownScope.h"

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class RowOrder;
class RowSelection;

struct ShownSave
{
    std::vector<int> fields;  // the shown columns' fields, in column order
    // The records in the order written; none: every record in file order.
    std::optional<std::vector<uint32_t>> records;
};

// `shownFields` are the fields of the list's columns from left to right.
ShownSave PlanShownSave(std::vector<int> shownFields, const RowOrder& order, const RowSelection& selection,
                        ShownScope scope);

// The next save of `document` writes what `plan` holds, in the list form.
void HandOver(ShownSave plan, CDatReaderDoc& document);

}  // namespace logora::ui
