#include "logora/ui/listview/CDatReaderView.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <climits>
#include <optional>

#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/RecordsRead.h"
#include "logora/engine/formats/InputFormats.h"
#include "logora/engine/outputs/OutputFormats.h"
#include "logora/engine/rows/RowWriter.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/ui/columns/CSelectColumns.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/listview/FilterRow.h"
#include "logora/ui/listview/ListDialogs.h"
#include "logora/ui/listview/ListPreview.h"
#include "logora/ui/listview/ListPrinter.h"
#include "logora/ui/listview/PrintFlow.h"
#include "logora/ui/listview/RecordTableModel.h"
#include "logora/ui/listview/SaveAsChoice.h"
#include "logora/ui/listview/ShownSaveDialog.h"
#include "logora/ui/listview/SlicedRunner.h"
#include "logora/ui/records/CopyText.h"
#include "logora/ui/records/FilterText.h"
#include "logora/ui/records/FollowRows.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/ShownSave.h"
#include "logora/ui/records/SortJob.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

// Scroll bars count rows in an int; tables beyond that show their first
// INT_MAX records in the list (the status pane still tells the full count).
int64_t ScrollableRecords(int64_t records)
{
    return std::min<int64_t>(records, INT_MAX);
}

// Record numbers of the sort index are 4 bytes.
constexpr int64_t kMaxSortedRecords = UINT32_MAX;

constexpr const char* kNoColumnShown = "No column is shown: Save Shown has nothing to write";

// The typed output (a workbook, a database) that `target`'s extension names
// and this build writes; null for any other.
const OutputFormat* TypedOutputFor(const std::string& target)
{
    const OutputFormat* output = FindOutputFormat(target);
    const bool typed = output != nullptr && output->available &&
                       (output->kind == OutputKind::Workbook || output->kind == OutputKind::Database);
    return typed ? output : nullptr;
}

// Null entries separate.
void AddCommands(QMenu& menu, const QList<QAction*>& commands)
{
    for (QAction* command : commands) {
        if (command)
            menu.addAction(command);
        else
            menu.addSeparator();
    }
}

}  // namespace

CDatReaderView::CDatReaderView(ViewerDocument* document, CChildFrame* frame)
    : document_(document), frame_(frame), runner_(new SlicedRunner(this))
{
    connect(runner_, &SlicedRunner::Progress, this, &CDatReaderView::ShowJobText);
    model_ = new RecordTableModel(&document->Doc(), requested_, this);
    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setModel(model_);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setSectionsClickable(true);
    header_->setSortIndicatorShown(false);
    connect(header_, &QHeaderView::sectionClicked, this, &CDatReaderView::SortByColumn);
    header_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(header_, &QHeaderView::customContextMenuRequested, this, [this](const QPoint& at) {
        const int column = header_->logicalIndexAt(at);
        if (column < 0) return;
        QMenu menu(this);
        FillHeaderMenu(menu, column);
        menu.exec(header_->mapToGlobal(at));
    });
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    // A column dragged by its heading moves on screen only: column numbers
    // stay those of the fields, and Copy, Save Shown and Print follow the
    // order shown.
    header_->setSectionsMovable(true);
    auto relayout = [this] {
        UpdateScrollRanges();
        filterRow_->LayoutEdits();
        viewport()->update();
    };
    connect(header_, &QHeaderView::sectionResized, this, relayout);
    connect(header_, &QHeaderView::sectionMoved, this, relayout);
    filterRow_ = new FilterRow(header_, this);
    filterRow_->hide();
    connect(filterRow_, &FilterRow::Edited, this, &CDatReaderView::OnFilterRowEdited);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    LayoutHeader();
}

CDatReaderView::~CDatReaderView()
{
    // A sort still running uses only its own memory and files; it ends first.
    if (sortThread_) {
        sortThread_->wait();
        delete sortThread_;
    }
}

void CDatReaderView::OnInitialUpdate()
{
    size_t fields = static_cast<size_t>(std::max(0, document_->Doc().GetFieldCount()));
    requested_.assign(fields, kColumnShown);
    displayed_.assign(fields, kColumnHidden);
    RefreshColumns();
}

void CDatReaderView::SetRequestedStates(std::vector<int> states)
{
    states.resize(requested_.size(), kColumnShown);
    requested_ = std::move(states);
}

int CDatReaderView::MapColumnToField(int column) const
{
    return logora::ui::MapColumnToField(requested_, column);
}

int CDatReaderView::MaxCharWidth() const
{
    return fontMetrics().maxWidth();
}

int CDatReaderView::RowHeight() const
{
    return fontMetrics().height() + 4;
}

int CDatReaderView::ColumnCount() const
{
    return model_->columnCount();
}

QString CDatReaderView::HeaderText(int column) const
{
    return model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
}

QString CDatReaderView::CellText(int64_t record, int column) const
{
    std::string text;
    document_->Doc().GetValue(order_.RecordAt(record), MapColumnToField(column), text);
    return ToQString(text);
}

int CDatReaderView::ColumnWidth(int column) const
{
    return header_->sectionSize(column);
}

int64_t CDatReaderView::FirstVisibleRecord() const
{
    return verticalScrollBar()->value();
}

int CDatReaderView::VisibleRows() const
{
    return std::max(1, viewport()->height() / RowHeight());
}

void CDatReaderView::ScrollToRecord(int64_t record)
{
    int64_t first = FirstVisibleRecord();
    if (record < first)
        verticalScrollBar()->setValue(static_cast<int>(record));
    else if (record >= first + VisibleRows())
        verticalScrollBar()->setValue(
            static_cast<int>(std::min<int64_t>(record - VisibleRows() + 1, INT_MAX)));
}

void CDatReaderView::SelectRecord(int64_t record)
{
    if (RecordCount() == 0) return;
    int64_t row = std::clamp<int64_t>(record, 0, ScrollableRecords(RecordCount()) - 1);
    selection_.SelectOnly(row);
    ScrollToRecord(row);
    UpdateCountPanes();
    viewport()->update();
}

void CDatReaderView::SelectRows(int64_t first, int64_t last)
{
    selection_.SelectOnly(first);
    selection_.ExtendTo(last);
    ScrollToRecord(last);
    UpdateCountPanes();
    viewport()->update();
}

void CDatReaderView::SelectAll()
{
    selection_.SelectAll(ScrollableRecords(RecordCount()));
    UpdateCountPanes();
    viewport()->update();
}

int64_t CDatReaderView::RecordAt(const QPoint& point) const
{
    if (point.y() < 0) return -1;
    int64_t record = FirstVisibleRecord() + point.y() / RowHeight();
    return record < ScrollableRecords(RecordCount()) ? record : -1;
}

void CDatReaderView::UpdateScrollRanges()
{
    int rows = VisibleRows();
    verticalScrollBar()->setRange(
        0, static_cast<int>(std::max<int64_t>(0, ScrollableRecords(RecordCount()) - rows)));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0,
                                    std::max(0, header_->length() - viewport()->width() + RowNumberWidth()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

void CDatReaderView::LayoutHeader()
{
    int height = header_->sizeHint().height();
    int filterHeight = filterRow_->isHidden() ? 0 : filterRow_->height();
    setViewportMargins(0, height + filterHeight, 0, 0);
    QRect area = viewport()->geometry();
    int numbers = RowNumberWidth();
    header_->setGeometry(area.left() + numbers, area.top() - height - filterHeight, area.width() - numbers,
                         height);
    filterRow_->setGeometry(area.left() + numbers, area.top() - filterHeight, area.width() - numbers,
                            filterHeight);
    filterRow_->LayoutEdits();
}

void CDatReaderView::ShowFilterRow(bool shown)
{
    filterRow_->setVisible(shown);
    LayoutHeader();
    UpdateScrollRanges();
}

bool CDatReaderView::FilterRowShown() const
{
    return !filterRow_->isHidden();
}

void CDatReaderView::SyncFilterRow()
{
    filterRow_->SetColumnCount(ColumnCount());
    for (int column = 0; column < ColumnCount(); ++column) {
        QString text;
        for (const ColumnFilter& filter : filters_)
            if (filter.field == MapColumnToField(column)) text = ToQString(FilterText(filter));
        filterRow_->SetText(column, text);
        bool ranged = Cells().IsNumeric(MapColumnToField(column));
        filterRow_->Edit(column)->setPlaceholderText(ranged ? "contains, or from..to" : "contains");
    }
}

void CDatReaderView::OnFilterRowEdited()
{
    std::vector<ColumnFilter> filters;
    QStringList refused;
    for (int column = 0; column < ColumnCount(); ++column) {
        ColumnFilter filter;
        QString typed = filterRow_->Text(column);
        bool valid = ParseFilterText(Cells(), MapColumnToField(column), FromQString(typed), filter);
        filterRow_->SetInvalid(column, !valid);
        if (!valid)
            refused << QString("\"%1\" is no value of %2").arg(typed, HeaderText(column));
        else if (HasCondition(filter))
            filters.push_back(filter);
    }
    if (!refused.isEmpty()) return frame_->SetPaneText(3, refused.join("; "));
    Filter(std::move(filters));
}

void CDatReaderView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    LayoutHeader();
    UpdateScrollRanges();
}

void CDatReaderView::scrollContentsBy(int, int)
{
    header_->setOffset(horizontalScrollBar()->value());
    filterRow_->LayoutEdits();
    viewport()->update();
}

void CDatReaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    int rowHeight = RowHeight();
    int width = viewport()->width();
    int numbers = RowNumberWidth();
    int64_t first = FirstVisibleRecord();
    int64_t last =
        std::min<int64_t>(ScrollableRecords(RecordCount()), first + viewport()->height() / rowHeight + 1);
    int columns = ColumnCount();
    // Selection stays visible when the list loses the focus.
    QPalette colours = palette();
    colours.setCurrentColorGroup(QPalette::Active);
    QColor gridColour = colours.color(QPalette::Mid);
    std::vector<bool> numeric(static_cast<size_t>(columns));
    for (int column = 0; column < columns; ++column)
        numeric[static_cast<size_t>(column)] = IsNumericColumn(column);
    painter.fillRect(0, 0, numbers, viewport()->height(), colours.color(QPalette::Button));
    std::string text;
    for (int64_t row = first; row < last; ++row) {
        int y = static_cast<int>(row - first) * rowHeight;
        int64_t record = order_.RecordAt(row);
        bool selected = selection_.Contains(row);
        // A found cell is selected alone.
        int selectedCell = selected ? selection_.CellColumn() : -1;
        painter.setClipRect(numbers, 0, width - numbers, viewport()->height());
        if (selected && selectedCell < 0)
            painter.fillRect(numbers, y, width, rowHeight, colours.color(QPalette::Highlight));
        for (int column = 0; column < columns; ++column) {
            int x = header_->sectionViewportPosition(column) + numbers;
            int cellWidth = header_->sectionSize(column);
            if (x + cellWidth < numbers || x > width) continue;
            bool highlighted = selected && (selectedCell < 0 || selectedCell == column);
            if (selectedCell == column)
                painter.fillRect(x, y, cellWidth, rowHeight, colours.color(QPalette::Highlight));
            painter.setPen(colours.color(highlighted ? QPalette::HighlightedText : QPalette::Text));
            text.clear();
            document_->Doc().GetValue(record, MapColumnToField(column), text);
            QRect cell(x + 3, y, cellWidth - 6, rowHeight);
            Qt::Alignment alignment = numeric[static_cast<size_t>(column)] ? Qt::AlignRight : Qt::AlignLeft;
            painter.drawText(cell, alignment | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(text));
        }
        if (row == selection_.Current()) {
            // The current row, where Ctrl with the keys has moved it.
            painter.setPen(QPen(colours.color(QPalette::Text), 1, Qt::DotLine));
            painter.drawRect(numbers, y, width - numbers - 1, rowHeight - 1);
        }
        // The record number, as a spreadsheet numbers its rows.
        painter.setClipping(false);
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.drawText(QRect(0, y, numbers - 4, rowHeight), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(record + 1));
    }
    painter.setPen(gridColour);
    painter.drawLine(numbers - 1, 0, numbers - 1, viewport()->height());
    if (showGrid_) {
        painter.setClipRect(numbers, 0, width - numbers, viewport()->height());
        int bottom = static_cast<int>(last - first) * rowHeight;
        for (int64_t row = first; row < last; ++row) {
            int y = static_cast<int>(row - first + 1) * rowHeight - 1;
            painter.drawLine(numbers, y, std::min(width, numbers + header_->length() - header_->offset()), y);
        }
        for (int column = 0; column < columns; ++column) {
            int x = numbers + header_->sectionViewportPosition(column) + header_->sectionSize(column) - 1;
            painter.drawLine(x, 0, x, bottom);
        }
    }
}

int CDatReaderView::RowNumberWidth() const
{
    int digits = static_cast<int>(QString::number(order_.RecordCount()).size());
    return fontMetrics().horizontalAdvance(QString(std::max(digits, 2), '9')) + 10;
}

bool CDatReaderView::IsNumericColumn(int column) const
{
    if (column < 0 || column >= ColumnCount()) return false;
    DBFField field = document_->Doc().GetField(MapColumnToField(column));
    ColumnEncoding encoding = KindOfColumn(field).encoding;
    return encoding == ColumnEncoding::RawDouble || encoding == ColumnEncoding::RawInteger ||
           (encoding == ColumnEncoding::Text && (field.type == 'N' || field.type == 'F'));
}

void CDatReaderView::RefreshColumns()
{
    showGrid_ = ProgramAppOptions().showGridLines != 0;
    CDatReaderDoc& doc = document_->Doc();
    int charWidth = MaxCharWidth();
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    int maxWidth = MaxColumnWidth(screen ? screen->geometry().width() : 1024, requested_.size());

    setUpdatesEnabled(false);
    for (const ColumnChange& change : PlanColumnRefresh(requested_, displayed_)) {
        if (change.insert) {
            model_->InsertColumn(change.position);
            DBFField field = doc.GetField(change.field);
            int nameLength = static_cast<int>(field.Name().size());
            header_->resizeSection(change.position,
                                   logora::ui::ColumnWidth(nameLength, field.length, charWidth, maxWidth));
        } else {
            model_->RemoveColumn(change.position);
        }
    }
    setUpdatesEnabled(true);
    if (doc.GetRecordCount() != records_ || !cells_) {
        records_ = doc.GetRecordCount();
        order_ = RowOrder(records_);
        selection_.Clear();
        cells_.reset();
        UpdateTimeRange();
    }
    // The float format may have changed: cells are read afresh, and a job
    // reading the old ones ends.
    runner_->Stop();
    cells_.reset();
    SyncFilterRow();
    UpdateSortIndicator();
    LayoutHeader();
    UpdateScrollRanges();
    viewport()->update();
    UpdateCountPanes();
}

void CDatReaderView::UpdateTimeRange()
{
    timeRange_.clear();
    RecordCells& cells = Cells();
    if (records_ > 0 && cells.HasTimeStamps()) {
        const uint8_t* record = cells.Read(0);
        auto from = record ? cells.TimeStamp(record) : std::nullopt;
        record = cells.Read(records_ - 1);
        auto to = record ? cells.TimeStamp(record) : std::nullopt;
        if (from && to) timeRange_ = ToQString(TimeStampText(*from) + " - " + TimeStampText(*to));
    }
}

void CDatReaderView::RecordsAppended()
{
    // A sorted or filtered list orders and filters every record again, the
    // new ones among them; once the sort or filter at work has finished, so
    // that a writer that never pauses cannot keep restarting it.
    if (order_.IsSorted() || order_.IsFiltered()) {
        if (!JobRunning()) return TableReplaced();
        if (!appendWaiting_) {
            appendWaiting_ = true;
            QTimer::singleShot(kAppendRetryMs, this, [this] {
                appendWaiting_ = false;
                RecordsAppended();
            });
        }
        return;
    }
    const bool followEnd = ShowsLastRow(FirstVisibleRecord(), VisibleRows(), RecordCount());
    // A job reading the old cells ends; the selection keeps its records.
    runner_->Stop();
    cells_.reset();
    records_ = document_->Doc().GetRecordCount();
    order_ = RowOrder(records_);
    UpdateTimeRange();
    UpdateScrollRanges();
    if (followEnd) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    viewport()->update();
    UpdateCountPanes();
}

RecordCells& CDatReaderView::Cells()
{
    if (!cells_)
        cells_ = std::make_unique<RecordCells>(document_->Doc().GetTable(), document_->Doc().GetCodePage());
    return *cells_;
}

void CDatReaderView::UpdateCountPanes()
{
    QString count = ToQString(LoadString(strings::TotalRecordNumber)) +
                    QString(" %1").arg(static_cast<int32_t>(records_));
    if (order_.IsFiltered()) count = QString("%1 of %2 records").arg(order_.RowCount()).arg(records_);
    if (const std::optional<RecordsRead>& read = document_->Doc().GetRecordsRead())
        count += QString(" (%1)").arg(ToQString(IncompleteText(*read)));
    frame_->SetPaneText(0, count);
    int64_t selected = selection_.Count();
    frame_->SetPaneText(2, selected > 1 ? QString("%1 selected").arg(selected) : QString());
    if (!JobRunning()) frame_->SetPaneText(3, timeRange_);
}

void CDatReaderView::ShowJobText(const QString& text)
{
    frame_->SetPaneText(3, text.isEmpty() ? timeRange_ : text + "  (Esc stops)");
}

void CDatReaderView::OrderChanged()
{
    // A find or copy still running read the rows of the order before.
    runner_->Stop();
    selection_.Clear();
    UpdateSortIndicator();
    UpdateScrollRanges();
    verticalScrollBar()->setValue(0);
    viewport()->update();
    UpdateCountPanes();
}

void CDatReaderView::UpdateSortIndicator()
{
    int column = -1;
    for (int c = 0; c < ColumnCount() && order_.IsSorted(); ++c)
        if (MapColumnToField(c) == order_.SortField()) column = c;
    header_->setSortIndicatorShown(column >= 0);
    if (column >= 0)
        header_->setSortIndicator(column, order_.SortAscending() ? Qt::AscendingOrder : Qt::DescendingOrder);
}

bool CDatReaderView::JobRunning() const
{
    return runner_->Running() || sortThread_ != nullptr;
}

void CDatReaderView::StopJob()
{
    runner_->Stop();
    if (sortThread_) sortStopped_ = true;
    ShowJobText(QString());
}

void CDatReaderView::SortByColumn(int column)
{
    if (column < 0 || column >= ColumnCount()) return;
    int field = MapColumnToField(column);
    if (order_.SortField() != field)
        SortByField(field, true);
    else if (order_.SortAscending())
        SortByField(field, false);
    else
        ClearSort();
}

void CDatReaderView::ClearSort()
{
    StopJob();
    order_.ClearSort();
    OrderChanged();
}

void CDatReaderView::SortByField(int field, bool ascending)
{
    if (sortThread_) return;  // one sort at a time
    if (records_ > kMaxSortedRecords) {
        frame_->SetPaneText(3, QString("Sorting is limited to %1 records").arg(kMaxSortedRecords));
        return;
    }
    runner_->Start(std::make_unique<SortJob>(Cells(), field, ascending), "Sorting",
                   [this, field, ascending](std::unique_ptr<RecordJob>& keysRead) {
                       // The keys are read; the sort itself runs off the interface thread.
                       sortJob_.reset(static_cast<SortJob*>(keysRead.release()));
                       sortStopped_ = false;
                       sortWritten_ = false;
                       ShowJobText("Sorting...");
                       sortThread_ =
                           QThread::create([this, job = sortJob_.get()] { sortWritten_ = job->Sort(); });
                       connect(sortThread_, &QThread::finished, this, [this, field, ascending] {
                           sortThread_->deleteLater();
                           sortThread_ = nullptr;
                           if (!sortStopped_ && sortWritten_)
                               order_.SetSort(sortJob_->TakeIndex(), field, ascending);
                           sortJob_.reset();
                           OrderChanged();
                           if (!sortStopped_ && !sortWritten_)
                               frame_->SetPaneText(
                                   3, "Not sorted: the temporary files of the sort could not be written");
                       });
                       sortThread_->start();
                   });
}

void CDatReaderView::ApplyFilter(std::vector<ColumnFilter> filters)
{
    Filter(std::move(filters));
    SyncFilterRow();
}

void CDatReaderView::ClearFilter()
{
    Filter({});
    SyncFilterRow();
}

void CDatReaderView::Filter(std::vector<ColumnFilter> filters, std::function<void()> then)
{
    filters_ = filters;
    if (filters.empty()) {
        StopJob();
        order_.ClearFilter();
        OrderChanged();
        return;
    }
    runner_->Start(std::make_unique<FilterJob>(Cells(), std::move(filters)), "Filtering",
                   [this, then = std::move(then)](std::unique_ptr<RecordJob>& job) {
                       order_.SetFilter(static_cast<FilterJob&>(*job).TakeMatches());
                       OrderChanged();
                       if (then) then();
                   });
}

void CDatReaderView::Find(const TextQuery& query, int column, bool backward)
{
    lastQuery_ = query;
    lastQueryColumn_ = column;
    std::vector<int> fields;
    for (int c = 0; c < ColumnCount(); ++c)
        if (column < 0 || column == c) fields.push_back(MapColumnToField(c));
    // From the cell after (before) the found one, else the row after (before) the current one.
    const int columns = static_cast<int>(fields.size());
    int64_t row = selection_.Current();
    int startColumn = backward ? columns - 1 : 0;
    if (row < 0) {
        row = backward ? RecordCount() - 1 : 0;
    } else if (int found = selection_.CellColumn(); found >= 0 && (column < 0 || column == found)) {
        startColumn = (column < 0 ? found : 0) + (backward ? -1 : 1);
    } else {
        row += backward ? -1 : 1;
    }
    if (startColumn < 0 || startColumn >= columns) {
        row += backward ? -1 : 1;
        startColumn = backward ? columns - 1 : 0;
    }
    runner_->Start(std::make_unique<FindJob>(Cells(), order_, fields, query, row, startColumn, !backward),
                   "Finding", [this](std::unique_ptr<RecordJob>& job) {
                       auto& find = static_cast<FindJob&>(*job);
                       if (find.FoundRow() < 0) {
                           frame_->SetPaneText(3, "Not found");
                           return;
                       }
                       SelectCell(find.FoundRow(),
                                  lastQueryColumn_ >= 0 ? lastQueryColumn_ : find.FoundColumn());
                   });
}

void CDatReaderView::SelectCell(int64_t row, int column)
{
    if (row < 0 || row >= ScrollableRecords(RecordCount())) return;
    selection_.SelectCell(row, column);
    ScrollToRecord(row);
    UpdateCountPanes();
    int x = header_->sectionPosition(column);
    int shown = viewport()->width() - RowNumberWidth();
    if (x < horizontalScrollBar()->value() ||
        x + header_->sectionSize(column) > horizontalScrollBar()->value() + shown)
        horizontalScrollBar()->setValue(x);
    viewport()->update();
}

void CDatReaderView::FindAgain(bool backward)
{
    if (lastQuery_.text.empty()) return OnFind();
    Find(lastQuery_, lastQueryColumn_, backward);
}

void CDatReaderView::GoTo(const QString& target)
{
    bool isNumber = false;
    qlonglong number = target.trimmed().toLongLong(&isNumber);
    if (isNumber) {
        int64_t row = order_.RowOf(number - 1);
        if (row < 0) {
            frame_->SetPaneText(3, number < 1 || number > records_
                                       ? QString("No record %1").arg(number)
                                       : QString("Record %1 is filtered out").arg(number));
            return;
        }
        SelectRecord(row);
        return;
    }
    auto seconds = ParseDateTime(FromQString(target));
    if (!seconds || !Cells().HasTimeStamps()) {
        frame_->SetPaneText(3, QString("\"%1\" is no record number or date and time").arg(target));
        return;
    }
    runner_->Start(std::make_unique<TimeSeekJob>(Cells(), *seconds), "Going to",
                   [this](std::unique_ptr<RecordJob>& job) {
                       int64_t row = order_.RowOf(static_cast<TimeSeekJob&>(*job).FoundRecord());
                       if (row < 0)
                           frame_->SetPaneText(3, "Not found");
                       else
                           SelectRecord(row);
                   });
}

std::vector<int> CDatReaderView::ColumnsInShownOrder() const
{
    std::vector<int> columns;
    for (int place = 0; place < ColumnCount(); ++place) columns.push_back(header_->logicalIndex(place));
    return columns;
}

void CDatReaderView::ShownFields(std::vector<int>& fields, std::vector<std::string>& names) const
{
    fields.clear();
    names.clear();
    for (int c : ColumnsInShownOrder()) {
        fields.push_back(MapColumnToField(c));
        names.push_back(std::string(document_->Doc().GetField(fields.back()).Name()));
    }
}

uint64_t CDatReaderView::CopySize()
{
    std::vector<int> fields;
    std::vector<std::string> names;
    ShownFields(fields, names);
    return EstimateCopyBytes(Cells(), order_, selection_, fields, names);
}

void CDatReaderView::OnCopy()
{
    int64_t count = selection_.Count();
    if (count == 0) return;
    uint64_t bytes = CopySize();
    QString size = ToQString(ApproximateSize(bytes));
    switch (RouteOfCopy(bytes)) {
        case CopyRoute::SaveInstead:
            if (QMessageBox::question(this, "Copy",
                                      QString("The %L1 selected records make %2 of text, more than the "
                                              "clipboard can reasonably hold. Save them as a file instead?")
                                          .arg(count)
                                          .arg(size),
                                      QMessageBox::Save | QMessageBox::Cancel) == QMessageBox::Save)
                SaveSelectionAs();
            return;
        case CopyRoute::AskFirst:
            if (QMessageBox::question(
                    this, "Copy", QString("Copy %L1 records (%2) to the clipboard?").arg(count).arg(size)) !=
                QMessageBox::Yes)
                return;
            break;
        case CopyRoute::Copy:
            break;
    }
    CopySelection();
}

void CDatReaderView::CopySelection()
{
    uint64_t estimate = CopySize();
    std::vector<int> fields;
    std::vector<std::string> names;
    ShownFields(fields, names);
    // Shared by the job and its ending; both let it go when the copy is stopped.
    auto text = std::make_shared<QByteArray>();
    text->reserve(static_cast<qsizetype>(std::min(estimate + estimate / 8, kClipboardLimit)));
    auto sink = [text](std::string_view utf8) {
        text->append(utf8.data(), static_cast<qsizetype>(utf8.size()));
    };
    int64_t count = selection_.Count();
    runner_->Start(std::make_unique<CopyJob>(Cells(), order_, selection_, std::move(fields), names, sink),
                   "Copying", [this, text, count](std::unique_ptr<RecordJob>&) {
                       text->squeeze();
                       auto* data = new QMimeData;
                       data->setData("text/plain", *text);
                       QApplication::clipboard()->setMimeData(data);
                       frame_->SetPaneText(
                           3, QString("Copied %L1 records (%2)")
                                  .arg(count)
                                  .arg(ToQString(ApproximateSize(static_cast<uint64_t>(text->size())))));
                   });
}

void CDatReaderView::SaveSelectionAs()
{
    QString path;
    int filterIndex = 0;
    if (!ConfirmIncompleteSave() || !AskSavePath(path, filterIndex)) return;
    document_->Doc().SetSavedRecords(SelectedRecords(order_, selection_));
    SaveTo(path, filterIndex);
}

void CDatReaderView::OnFind()
{
    QStringList columns;
    for (int c = 0; c < ColumnCount(); ++c) columns << HeaderText(c);
    FindDialog dialog(columns, lastQuery_, lastQueryColumn_, this);
    if (dialog.exec() != QDialog::Accepted || dialog.Query().text.empty()) return;
    Find(dialog.Query(), dialog.Column(), dialog.Backward());
}

void CDatReaderView::OnGoTo()
{
    bool ok = false;
    QString target = QInputDialog::getText(
        this, "Go To", "Record number, or date and time (2024-01-15 08:00:00):", QLineEdit::Normal, QString(),
        &ok);
    if (ok && !target.trimmed().isEmpty()) GoTo(target);
}

void CDatReaderView::OnFilter()
{
    std::vector<int> fields;
    QStringList names;
    for (int c = 0; c < ColumnCount(); ++c) {
        fields.push_back(MapColumnToField(c));
        names << HeaderText(c);
    }
    FilterDialog dialog(Cells(), fields, names, filters_, this);
    if (dialog.exec() == QDialog::Accepted) ApplyFilter(dialog.Filters());
}

void CDatReaderView::contextMenuEvent(QContextMenuEvent* event)
{
    // Events of the viewport arrive in viewport coordinates.
    int64_t row = RecordAt(event->pos());
    if (row >= 0 && !selection_.Contains(row)) SelectRecord(row);
    QMenu menu(this);
    FillListMenu(menu);
    menu.exec(event->globalPos());
}

void CDatReaderView::SetMenuCommands(QList<QAction*> list, QList<QAction*> header)
{
    listCommands_ = std::move(list);
    headerCommands_ = std::move(header);
}

void CDatReaderView::FillListMenu(QMenu& menu)
{
    emit MenuOpening();
    QAction* copy = menu.addAction("&Copy\tCtrl+C", this, &CDatReaderView::OnCopy);
    copy->setEnabled(!selection_.Empty());
    menu.addAction("Select &All\tCtrl+A", this, &CDatReaderView::SelectAll);
    if (!listCommands_.isEmpty()) menu.addSeparator();
    AddCommands(menu, listCommands_);
}

void CDatReaderView::FillHeaderMenu(QMenu& menu, int column)
{
    emit MenuOpening();
    menu.addAction(QString("S&tatistics of %1").arg(HeaderText(column)), this,
                   [this, column] { emit StatisticsRequested(column); });
    if (!headerCommands_.isEmpty()) menu.addSeparator();
    AddCommands(menu, headerCommands_);
}

void CDatReaderView::OnClick(int64_t row)
{
    // The record's number, as the row shows it, whatever the sort or filter.
    const int64_t number = row < 0 ? 0 : RecordOfRow(row) + 1;
    frame_->SetPaneText(1, ToQString(LoadString(strings::SelectedRecord)) + QString(" %1").arg(number));
}

void CDatReaderView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    // Mouse events of the viewport arrive here in viewport coordinates.
    int64_t record = RecordAt(event->position().toPoint());
    if (record >= 0) {
        bool control = event->modifiers() & Qt::ControlModifier;
        if (event->modifiers() & Qt::ShiftModifier)
            selection_.ExtendTo(record, control);
        else if (control)
            selection_.Toggle(record);
        else
            selection_.SelectOnly(record);
        UpdateCountPanes();
        viewport()->update();
    }
    OnClick(record);
}

void CDatReaderView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && JobRunning()) return StopJob();
    const bool shift = event->modifiers() & Qt::ShiftModifier;
    const bool control = event->modifiers() & Qt::ControlModifier;
    int64_t page = VisibleRows();
    int64_t current = selection_.Current();
    if (event->key() == Qt::Key_Space && control && !shift) {
        if (RecordCount() == 0) return;
        selection_.Toggle(std::max<int64_t>(current, 0));
        UpdateCountPanes();
        viewport()->update();
        return;
    }
    int64_t target;
    switch (event->key()) {
        case Qt::Key_Up:
            target = current - 1;
            break;
        case Qt::Key_Down:
            target = current + 1;
            break;
        case Qt::Key_PageUp:
            target = current - page;
            break;
        case Qt::Key_PageDown:
            target = current + page;
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = RecordCount() - 1;
            break;
        default:
            return QAbstractScrollArea::keyPressEvent(event);
    }
    // Keyboard moves select a record but leave the status pane as it is;
    // Shift extends the selection, Ctrl moves the current row alone, both
    // extend it adding to what was selected.
    if (RecordCount() == 0) return;
    target = std::clamp<int64_t>(target, 0, ScrollableRecords(RecordCount()) - 1);
    if (!shift && !control) return SelectRecord(target);
    if (shift)
        selection_.ExtendTo(target, control);
    else
        selection_.MoveCurrent(target);
    ScrollToRecord(target);
    UpdateCountPanes();
    viewport()->update();
}

void CDatReaderView::OnFileSaveAs()
{
    bool filteredOnly = false;
    if (!ConfirmIncompleteSave() || !AskFilteredOnly("Save As", filteredOnly)) return;
    QString path;
    int filterIndex = 0;
    if (AskSavePath(path, filterIndex)) SaveTo(path, filterIndex, filteredOnly);
}

bool CDatReaderView::AskSavePath(QString& path, int& filterIndex, const QString& offered)
{
    AppSettings& settings = ProgramAppSettings();
    QString folder = ToQString(settings.SaveFilePath());
    QFileInfo documentFile(document_->PathName());
    if (folder.isEmpty()) folder = documentFile.absolutePath();
    QString filters = offered.isEmpty() ? ToQString(SaveFiltersFor(document_->Doc().GetPathName())) : offered;
    QStringList filterList = filters.split(";;");
    QFileDialog dialog(this, QString(), QDir(folder).filePath(documentFile.completeBaseName()), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    // A name typed without extension takes the chosen filter's.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(ToQString(SuffixOfFilter(FromQString(filter))));
    });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
    path = dialog.selectedFiles().first();
    settings.WriteProfileString(settings::kOptions, settings::kSaveFilePath,
                                FolderWithSeparator(FromQString(path)));
    filterIndex = static_cast<int>(filterList.indexOf(dialog.selectedNameFilter())) + 1;
    return true;
}

bool CDatReaderView::SaveTo(const QString& path, int filterIndex, bool filteredOnly)
{
    CDatReaderDoc& doc = document_->Doc();
    if (filteredOnly && order_.IsFiltered()) doc.SetSavedRecords(order_.ShownRecords());
    std::string target = FromQString(path);
    if (const OutputFormat* output = TypedOutputFor(target)) {
        const QStringList filters = ToQString(SaveFiltersFor(doc.GetPathName())).split(";;");
        const bool tableForm = filterIndex >= 1 && filterIndex <= filters.size() &&
                               FilterAsksTableForm(FromQString(filters[filterIndex - 1]));
        return SaveTypedRows(target, output->kind, tableForm);
    }
    if (SavesAsCsv(target)) {
        doc.SetExportForm(filterIndex);
        return doc.ExportCSV(target);
    }
    return doc.SaveAsDBF(target);
}

bool CDatReaderView::SaveTypedRows(const std::string& target, OutputKind output, bool tableForm)
{
    CDatReaderDoc& doc = document_->Doc();
    doc.SetExportForm(tableForm ? CDatReaderDoc::kTableForm : CDatReaderDoc::kListForm);
    const InputFormat* input = FindInputFormat(doc.GetPathName());
    const std::unique_ptr<RowWriter> writer = MakeRowWriter(
        output, {doc.GetPathName(), input != nullptr ? std::string(input->name) : std::string()});
    return doc.SaveRows(target, *writer);
}

void CDatReaderView::OnSaveShown()
{
    if (ColumnCount() == 0) return frame_->SetPaneText(3, kNoColumnShown);
    QStringList columns;
    for (int c : ColumnsInShownOrder()) columns << HeaderText(c);
    ShownSaveDialog choice(columns, records_, RecordCount(), order_.IsFiltered(), selection_.Count(), this);
    if (!ConfirmIncompleteSave() || choice.exec() != QDialog::Accepted) return;
    QString path;
    int filterIndex = 0;
    if (AskSavePath(path, filterIndex, ToQString(ShownSaveFilters()))) SaveShownTo(path, choice.Scope());
}

bool CDatReaderView::SaveShownTo(const QString& path, ShownScope scope)
{
    std::vector<int> fields;
    std::vector<std::string> names;
    ShownFields(fields, names);
    if (fields.empty()) {
        frame_->SetPaneText(3, kNoColumnShown);
        return false;
    }
    CDatReaderDoc& doc = document_->Doc();
    HandOver(PlanShownSave(std::move(fields), order_, selection_, scope), doc);
    const std::string target = FromQString(path);
    if (const OutputFormat* output = TypedOutputFor(target))
        return SaveTypedRows(target, output->kind, false);
    return doc.ExportCSV(target);
}

void CDatReaderView::OnSelectColumns()
{
    QStringList names;
    for (int i = 0; i < document_->Doc().GetFieldCount(); ++i)
        names << ToQString(document_->Doc().GetField(i).Name());
    CSelectColumns dialog(requested_, names, this);
    if (dialog.exec() != QDialog::Accepted) return;
    SetRequestedStates(dialog.Result());
    RefreshColumns();
}

bool CDatReaderView::CanPlot() const
{
    return document_->Doc().IsPlottable();
}

void CDatReaderView::OnPlot()
{
    if (CanPlot()) emit PlotRequested(document_);
}

ListPrinter CDatReaderView::MakePrinter(bool filteredOnly)
{
    std::vector<int> widths;
    std::vector<int> fields;
    for (int column : ColumnsInShownOrder()) {
        widths.push_back(ColumnWidth(column));
        fields.push_back(MapColumnToField(column));
    }
    // The list's order; all records of the table unless only the filtered ones are asked for.
    ListPrinter::Rows rows{RecordCount(), [this](int64_t row) { return order_.RecordAt(row); }};
    if (order_.IsFiltered() && !filteredOnly) rows = {records_, [](int64_t row) { return row; }};
    return ListPrinter(document_->Doc(), fields, widths, MaxCharWidth(), rows);
}

int CDatReaderView::PrintTo(QPrinter& printer, bool fitToWidth, bool filteredOnly)
{
    ListPrinter listPrinter = MakePrinter(filteredOnly);
    listPrinter.SetFitToWidth(fitToWidth);
    return listPrinter.Print(printer);
}

bool CDatReaderView::ConfirmIncompleteSave()
{
    const std::optional<RecordsRead>& read = document_->Doc().GetRecordsRead();
    if (!read) return true;
    QMessageBox box(QMessageBox::Warning, "Save As",
                    QString("%1 is %2.\nSave only the records it holds?")
                        .arg(QFileInfo(document_->PathName()).fileName(), ToQString(IncompleteText(*read))),
                    QMessageBox::Save | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Save;
}

bool CDatReaderView::AskFilteredOnly(const QString& title, bool& filteredOnly)
{
    filteredOnly = false;
    if (!order_.IsFiltered()) return true;
    QMessageBox box(QMessageBox::Question, title,
                    QString("The filter shows %1 of %2 records.").arg(RecordCount()).arg(records_),
                    QMessageBox::Cancel, this);
    QPushButton* filtered = box.addButton("The &filtered records", QMessageBox::AcceptRole);
    QPushButton* all = box.addButton("&All records", QMessageBox::AcceptRole);
    box.setDefaultButton(filtered);
    box.exec();
    filteredOnly = box.clickedButton() == filtered;
    return box.clickedButton() == filtered || box.clickedButton() == all;
}

void CDatReaderView::OnFilePrint()
{
    bool filteredOnly = false;
    if (!AskFilteredOnly("Print", filteredOnly)) return;
    QPrinter printer(QPrinter::HighResolution);
    ListPrinter pages = MakePrinter(filteredOnly);
    PrintWithDialog(pages, printer, this);
}

void CDatReaderView::OnFilePrintPreview()
{
    bool filteredOnly = false;
    if (!AskFilteredOnly("Print Preview", filteredOnly)) return;
    QPrinter printer(QPrinter::HighResolution);
    ListPreview preview(MakePrinter(filteredOnly), printer, this);
    preview.exec();
}

}  // namespace logora::ui
