#pragma once
// The record list of a document: one row per record, one column per shown
// field. It holds no rows: only the record count is known, and each visible
// cell is asked of the document as it is painted, so a table of any size
// costs the same memory. Owns Save As, Plot, Select Columns, Print and Print
// Preview of its window.

#include <QAbstractScrollArea>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "logora/ui/layouts/ListLayout.h"
#include "logora/ui/listview/ListPrinter.h"
#include "logora/ui/records/CellMatch.h"
#include "logora/ui/records/RecordScans.h"
#include "logora/ui/records/RowOrder.h"
#include "logora/ui/records/RowSelection.h"
#include "logora/ui/records/ShownScope.h"

class QAction;
class QHeaderView;
class QMenu;
namespace logora {
enum class OutputKind;
}
class QThread;
class QPrinter;

namespace logora::ui {

class CChildFrame;
class FilterRow;
class RecordCells;
class RecordTableModel;
class SlicedRunner;
class SortJob;
class ViewerDocument;

class CDatReaderView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CDatReaderView(ViewerDocument* document, CChildFrame* frame);
    ~CDatReaderView() override;

    void OnInitialUpdate();
    void RefreshColumns();
    int MapColumnToField(int column) const;

    void SetRequestedStates(std::vector<int> states);
    // The columns, sort and filter row texts (CDatReaderViewLayout.cpp); the
    // window's place is left to the frame.
    ListLayout CurrentLayout() const;
    // Shows `layout`, which fits the table; its filter runs before its sort.
    // Filter texts that are no longer values of their fields are left out.
    void ApplyLayout(const ListLayout& layout);
    // Every field shown at its first width, in file order, unfiltered.
    void ResetLayout();
    // After the document's input was converted again: the same columns, sort
    // and filter over the new table, at the same row.
    void TableReplaced();
    // After the document's table gained records at its end: the list shows
    // them, where it was unless its last row was in view, then at the end.
    void RecordsAppended();
    ViewerDocument* Document() const { return document_; }

    // What the list shows: columns, their headings and cell texts.
    int ColumnCount() const;
    QString HeaderText(int column) const;
    // The text of a cell of row `record` (a record of the table while the
    // list is neither sorted nor filtered).
    QString CellText(int64_t record, int column) const;
    int ColumnWidth(int column) const;
    // The columns from left to right as shown (their headings may have been
    // dragged elsewhere).
    std::vector<int> ColumnsInShownOrder() const;

    // Rows are the shown records in the shown order (sorted, filtered);
    // RecordOfRow maps them back to the table.
    int64_t RecordCount() const { return order_.RowCount(); }
    int64_t RecordOfRow(int64_t row) const { return order_.RecordAt(row); }
    const RowOrder& Order() const { return order_; }
    const RowSelection& Selection() const { return selection_; }
    // Scrolling and the selected row (-1 when none).
    int64_t FirstVisibleRecord() const;
    int VisibleRows() const;
    void ScrollToRecord(int64_t record);
    int64_t SelectedRecord() const { return selection_.Current(); }
    void SelectRecord(int64_t record);
    void SelectAll();
    // One cell, as Find selects it (and continues from it).
    void SelectCell(int64_t row, int column);
    // Rows first to last, as a click and a Shift+click select them.
    void SelectRows(int64_t first, int64_t last);
    // The record at a point of the viewport, -1 below the last one.
    int64_t RecordAt(const QPoint& point) const;

    // Save As: asks for the name, then SaveTo.
    void OnFileSaveAs();
    // Writes the document to `path`: CSV when it ends in .csv (the filter
    // position, 1-based, choosing the form), else a dBASE table.
    // With `filteredOnly`, only the records the filter shows, in list order.
    bool SaveTo(const QString& path, int filterIndex, bool filteredOnly = false);
    // Save Shown: asks which records, then the name, then SaveShownTo.
    void OnSaveShown();
    // Writes the shown columns in their order of the `scope`'s records in
    // the list's order to `path`: a typed output when its extension names
    // one, else CSV in the list form.
    bool SaveShownTo(const QString& path, ShownScope scope);
    void OnSelectColumns();
    void OnPlot();
    bool CanPlot() const;
    void OnFilePrint();
    void OnFilePrintPreview();
    // Prints every page of the list to `printer` (all records, or with a
    // filter set only the filtered ones when asked; scaled to the page width
    // when asked); returns the pages printed.
    int PrintTo(QPrinter& printer, bool fitToWidth = false, bool filteredOnly = false);

    // The click rule of the status pane: the row's record number (1-based),
    // 0 below the last row.
    void OnClick(int64_t row);

    // Sorting by a column's field: ascending, descending, back to file
    // order as a header is clicked again.
    void SortByColumn(int column);
    void SortByField(int field, bool ascending);
    void ClearSort();
    void ApplyFilter(std::vector<ColumnFilter> filters);
    void ClearFilter();
    // The row of filter edits under the header, one per column.
    void ShowFilterRow(bool shown);
    bool FilterRowShown() const;
    FilterRow* FilterEdits() const { return filterRow_; }
    // Looks from the row after (or before) the selected one; `column` -1
    // searches every shown column.
    void Find(const TextQuery& query, int column, bool backward);
    void FindAgain(bool backward);
    void FindNext() { FindAgain(false); }
    void FindPrevious() { FindAgain(true); }
    // A record number (1-based) or, for datalogs, a date and time.
    void GoTo(const QString& target);
    // About how large the copied text of the selection is, in bytes.
    uint64_t CopySize();
    // Copy: asks before a large copy, offers Save As of the selected records
    // instead of one too large for the clipboard, then CopySelection.
    void OnCopy();
    // Puts the selected rows on the clipboard as tab-separated text with a
    // header line, built a slice at a time; Escape stops it.
    void CopySelection();
    void OnFind();
    void OnGoTo();
    void OnFilter();
    // Escape: stops the running find, sort, filter or copy.
    void StopJob();
    bool JobRunning() const;
    // The status bar's progress text of a long operation, "" when it ended.
    void ShowJobText(const QString& text);
    // Whether the column shows numbers (drawn right-aligned).
    bool IsNumericColumn(int column) const;
    int RowNumberWidth() const;

    // The window's commands the context menus offer beside the list's own
    // Copy and Select All (null entries separate groups); `header`'s are
    // about columns, under the column's Statistics.
    void SetMenuCommands(QList<QAction*> list, QList<QAction*> header);
    // The context menus as they show, of the list and of the header over `column`.
    void FillListMenu(QMenu& menu);
    void FillHeaderMenu(QMenu& menu, int column);

signals:
    void PlotRequested(ViewerDocument* document);
    // The column header's context menu asked for the column's statistics.
    void StatisticsRequested(int column);
    // A context menu is about to show: its commands' states are due.
    void MenuOpening();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    RecordCells& Cells();
    void ShownFields(std::vector<int>& fields, std::vector<std::string>& names) const;
    // The Save As dialog: the chosen path and filter position (1-based);
    // `filters` are Save As's unless given.
    bool AskSavePath(QString& path, int& filterIndex, const QString& filters = QString());
    // Through the typed output `output` names, in the list or table form.
    bool SaveTypedRows(const std::string& target, OutputKind output, bool tableForm);
    void SaveSelectionAs();
    ListPrinter MakePrinter(bool filteredOnly);
    // For an incomplete table, warns that only the records it holds would be
    // saved; false unless the user goes on.
    bool ConfirmIncompleteSave();
    // With a filter set, asks whether all records or the filtered ones are
    // meant; false when cancelled.
    bool AskFilteredOnly(const QString& title, bool& filteredOnly);
    void OrderChanged();
    void UpdateCountPanes();
    // The status pane's first and last time stamp of the table.
    void UpdateTimeRange();
    void UpdateSortIndicator();
    int MaxCharWidth() const;
    int RowHeight() const;
    void UpdateScrollRanges();
    void LayoutHeader();
    // Applies `filters` (none: clears) and leaves the filter row as it is;
    // `then` runs once the filter is set.
    void Filter(std::vector<ColumnFilter> filters, std::function<void()> then = {});
    // The filter row shows the filters set.
    void SyncFilterRow();
    void OnFilterRowEdited();

    ViewerDocument* document_;
    CChildFrame* frame_;
    RecordTableModel* model_ = nullptr;
    QHeaderView* header_ = nullptr;
    FilterRow* filterRow_ = nullptr;
    std::vector<int> requested_;
    std::vector<int> displayed_;
    int64_t records_ = 0;
    bool showGrid_ = false;
    RowOrder order_;
    RowSelection selection_;
    std::unique_ptr<RecordCells> cells_;
    SlicedRunner* runner_;
    // The in-memory sort runs on a thread of its own once the keys are read.
    QThread* sortThread_ = nullptr;
    std::unique_ptr<SortJob> sortJob_;
    bool sortStopped_ = false;
    bool sortWritten_ = false;  // set by the sort's thread before it ends
    std::vector<ColumnFilter> filters_;
    TextQuery lastQuery_;
    int lastQueryColumn_ = -1;
    QString timeRange_;
    QList<QAction*> listCommands_;
    QList<QAction*> headerCommands_;
    // Records were appended while a job ran; they are taken in after it.
    static constexpr int kAppendRetryMs = 200;
    bool appendWaiting_ = false;
};

}  // namespace logora::ui
