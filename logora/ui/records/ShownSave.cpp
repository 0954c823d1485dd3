#include "logora/ui/records/ShownSave.h"

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/ui/records/CopyText.h"
#include "logora/ui/records/RowOrder.h"

namespace logora::ui {

ShownSave PlanShownSave(std::vector<int> shownFields, const RowOrder& order, const RowSelection& selection,
                        ShownScope scope)
{
    ShownSave plan{std::move(shownFields), std::nullopt};
    switch (scope) {
        case ShownScope::All:
            // The table's own order needs no list of records.
            if (order.IsSorted()) plan.records = order.SortedRecords();
            break;
        case ShownScope::Filtered:
            if (order.IsFiltered())
                plan.records = order.ShownRecords();
            else if (order.IsSorted())
                plan.records = order.SortedRecords();
            break;
        case ShownScope::Selected:
            plan.records = SelectedRecords(order, selection);
            break;
    }
    return plan;
}

void HandOver(ShownSave plan, CDatReaderDoc& document)
{
    document.SetExportForm(CDatReaderDoc::kListForm);
    document.SetSavedColumns(std::move(plan.fields));
    if (plan.records) document.SetSavedRecords(std::move(*plan.records));
}

}  // namespace logora::ui
