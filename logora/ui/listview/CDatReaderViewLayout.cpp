#include <QHeaderView>
#include <QScrollBar>
#include <algorithm>

#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/listview/FilterRow.h"
#include "logora/ui/listview/RecordTableModel.h"
#include "logora/ui/records/FilterText.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

ListLayout CDatReaderView::CurrentLayout() const
{
    ListLayout layout;
    for (int state : requested_) layout.columns.push_back({state == kColumnShown, 0});
    for (int column = 0; column < ColumnCount(); ++column)
        layout.columns[static_cast<size_t>(MapColumnToField(column))].width = header_->sectionSize(column);
    const std::vector<int> shownOrder = ColumnsInShownOrder();
    if (!std::is_sorted(shownOrder.begin(), shownOrder.end()))
        for (int column : shownOrder) layout.order.push_back(MapColumnToField(column));
    if (order_.IsSorted()) {
        layout.sortField = order_.SortField();
        layout.sortAscending = order_.SortAscending();
    }
    for (int column = 0; column < filterRow_->ColumnCount(); ++column)
        if (QString text = filterRow_->Text(column); !text.isEmpty())
            layout.filters.push_back({MapColumnToField(column), FromQString(text)});
    return layout;
}

void CDatReaderView::ApplyLayout(const ListLayout& layout)
{
    std::vector<int> states;
    for (const ColumnLayout& column : layout.columns)
        states.push_back(column.shown ? kColumnShown : kColumnHidden);
    SetRequestedStates(std::move(states));
    RefreshColumns();
    for (int column = 0; column < ColumnCount(); ++column)
        if (int width = layout.columns[static_cast<size_t>(MapColumnToField(column))].width; width > 0)
            header_->resizeSection(column, width);
    // The kept order's fields from the left; a field no longer shown is passed over.
    int place = 0;
    for (int field : layout.order)
        for (int column = 0; column < ColumnCount(); ++column)
            if (MapColumnToField(column) == field)
                header_->moveSection(header_->visualIndex(column), place++);
    std::vector<ColumnFilter> filters;
    for (const FilterLayout& kept : layout.filters) {
        ColumnFilter filter;
        if (ParseFilterText(Cells(), kept.field, kept.text, filter) && HasCondition(filter))
            filters.push_back(std::move(filter));
    }
    auto sort = [this, field = layout.sortField, ascending = layout.sortAscending] {
        if (field >= 0) SortByField(field, ascending);
    };
    if (filters.empty()) return sort();
    Filter(std::move(filters), sort);
    SyncFilterRow();
}

void CDatReaderView::TableReplaced()
{
    const ListLayout layout = CurrentLayout();
    const int first = verticalScrollBar()->value();
    const int64_t selected = SelectedRecord();
    StopJob();
    model_->SetDocument(&document_->Doc());
    // The rows and cells are those of the new table.
    cells_.reset();
    records_ = -1;
    ApplyLayout(layout);
    verticalScrollBar()->setValue(first);
    if (selected >= 0 && selected < RecordCount()) SelectRecord(selected);
}

void CDatReaderView::ResetLayout()
{
    ClearFilter();
    ClearSort();
    // Removing every column first gives each its first width again.
    SetRequestedStates(std::vector<int>(requested_.size(), kColumnHidden));
    RefreshColumns();
    SetRequestedStates(std::vector<int>(requested_.size(), kColumnShown));
    RefreshColumns();
}

}  // namespace logora::ui
