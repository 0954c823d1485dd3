#include "logora/ui/listview/CDatReaderView.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QScrollBar>
#include <algorithm>
#include <climits>

#include "logora/engine/document/AppOptions.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/settings/CAppSettings.h"
#include "logora/ui/columns/CSelectColumns.h"
#include "logora/ui/listview/ColumnStates.h"
#include "logora/ui/listview/ListPrinter.h"
#include "logora/ui/listview/RecordTableModel.h"
#include "logora/ui/listview/SaveAsChoice.h"
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

}  // namespace

CDatReaderView::CDatReaderView(ViewerDocument* document, CChildFrame* frame)
    : document_(document), frame_(frame)
{
    model_ = new RecordTableModel(&document->Doc(), requested_, this);
    header_ = new QHeaderView(Qt::Horizontal, this);
    header_->setModel(model_);
    header_->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header_->setSectionsClickable(false);
    header_->setHighlightSections(false);
    header_->setStretchLastSection(false);
    connect(header_, &QHeaderView::sectionResized, this, [this] {
        UpdateScrollRanges();
        viewport()->update();
    });
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setBackgroundRole(QPalette::Base);
    viewport()->setBackgroundRole(QPalette::Base);
    LayoutHeader();
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
    document_->Doc().GetValue(record, MapColumnToField(column), text);
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
    if (records_ == 0) return;
    selected_ = std::clamp<int64_t>(record, 0, ScrollableRecords(records_) - 1);
    ScrollToRecord(selected_);
    viewport()->update();
}

int64_t CDatReaderView::RecordAt(const QPoint& point) const
{
    if (point.y() < 0) return -1;
    int64_t record = FirstVisibleRecord() + point.y() / RowHeight();
    return record < ScrollableRecords(records_) ? record : -1;
}

void CDatReaderView::UpdateScrollRanges()
{
    int rows = VisibleRows();
    verticalScrollBar()->setRange(0,
                                  static_cast<int>(std::max<int64_t>(0, ScrollableRecords(records_) - rows)));
    verticalScrollBar()->setPageStep(rows);
    verticalScrollBar()->setSingleStep(1);
    horizontalScrollBar()->setRange(0, std::max(0, header_->length() - viewport()->width()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setSingleStep(20);
}

void CDatReaderView::LayoutHeader()
{
    int height = header_->sizeHint().height();
    setViewportMargins(0, height, 0, 0);
    QRect area = viewport()->geometry();
    header_->setGeometry(area.left(), area.top() - height, area.width(), height);
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
    viewport()->update();
}

void CDatReaderView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    int rowHeight = RowHeight();
    int width = viewport()->width();
    int64_t first = FirstVisibleRecord();
    int64_t last =
        std::min<int64_t>(ScrollableRecords(records_), first + viewport()->height() / rowHeight + 1);
    int columns = ColumnCount();
    // Selection stays visible when the list loses the focus.
    QPalette colours = palette();
    colours.setCurrentColorGroup(QPalette::Active);
    QColor gridColour = colours.color(QPalette::Mid);
    std::string text;
    for (int64_t record = first; record < last; ++record) {
        int y = static_cast<int>(record - first) * rowHeight;
        bool selected = record == selected_;
        if (selected) painter.fillRect(0, y, width, rowHeight, colours.color(QPalette::Highlight));
        painter.setPen(colours.color(selected ? QPalette::HighlightedText : QPalette::Text));
        for (int column = 0; column < columns; ++column) {
            int x = header_->sectionViewportPosition(column);
            int cellWidth = header_->sectionSize(column);
            if (x + cellWidth < 0 || x > width) continue;
            text.clear();
            document_->Doc().GetValue(record, MapColumnToField(column), text);
            QRect cell(x + 3, y, cellWidth - 6, rowHeight);
            painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, ToQString(text));
        }
    }
    if (showGrid_) {
        painter.setPen(gridColour);
        int bottom = static_cast<int>(last - first) * rowHeight;
        for (int64_t row = first; row < last; ++row) {
            int y = static_cast<int>(row - first + 1) * rowHeight - 1;
            painter.drawLine(0, y, std::min(width, header_->length() - header_->offset()), y);
        }
        for (int column = 0; column < columns; ++column) {
            int x = header_->sectionViewportPosition(column) + header_->sectionSize(column) - 1;
            painter.drawLine(x, 0, x, bottom);
        }
    }
}

void CDatReaderView::RefreshColumns()
{
    showGrid_ = AppOptions().showGridLines != 0;
    CDatReaderDoc& doc = document_->Doc();
    doc.IsTrendTable();
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
    records_ = doc.GetRecordCount();
    if (selected_ >= ScrollableRecords(records_)) selected_ = -1;
    LayoutHeader();
    UpdateScrollRanges();
    viewport()->update();
    frame_->SetPaneText(0, ToQString(LoadString(strings::TotalRecordNumber)) +
                               QString(" %1").arg(static_cast<int32_t>(records_)));
}

void CDatReaderView::OnClick(int64_t row)
{
    frame_->SetPaneText(1, ToQString(LoadString(strings::SelectedRecord)) +
                               QString(" %1").arg(static_cast<int32_t>(row + 1)));
}

void CDatReaderView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
    // Mouse events of the viewport arrive here in viewport coordinates.
    int64_t record = RecordAt(event->position().toPoint());
    if (record >= 0) SelectRecord(record);
    OnClick(record);
}

void CDatReaderView::keyPressEvent(QKeyEvent* event)
{
    int64_t page = VisibleRows();
    int64_t target;
    switch (event->key()) {
        case Qt::Key_Up:
            target = selected_ - 1;
            break;
        case Qt::Key_Down:
            target = selected_ + 1;
            break;
        case Qt::Key_PageUp:
            target = selected_ - page;
            break;
        case Qt::Key_PageDown:
            target = selected_ + page;
            break;
        case Qt::Key_Home:
            target = 0;
            break;
        case Qt::Key_End:
            target = records_ - 1;
            break;
        default:
            return QAbstractScrollArea::keyPressEvent(event);
    }
    // Keyboard moves select a record but leave the status pane as it is.
    SelectRecord(target);
}

void CDatReaderView::OnFileSaveAs()
{
    CAppSettings& settings = AppSettings();
    QString folder = ToQString(settings.SaveFilePath());
    QFileInfo documentFile(document_->PathName());
    if (folder.isEmpty()) folder = documentFile.absolutePath();
    QString filters = SaveFiltersFor(document_->Doc().GetPathName());
    QStringList filterList = filters.split(";;");
    QString selectedFilter = filterList.first();
    QFileDialog dialog(this, QString(), QDir(folder).filePath(documentFile.completeBaseName()), filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix("csv");
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    QString path = dialog.selectedFiles().first();
    settings.WriteProfileString(settings::kOptions, settings::kSaveFilePath,
                                FolderWithSeparator(FromQString(path)));
    SaveTo(path, static_cast<int>(filterList.indexOf(dialog.selectedNameFilter())) + 1);
}

bool CDatReaderView::SaveTo(const QString& path, int filterIndex)
{
    CDatReaderDoc& doc = document_->Doc();
    std::string target = FromQString(path);
    if (SavesAsCsv(target)) {
        doc.SetExportForm(filterIndex);
        return doc.ExportCSV(target);
    }
    return doc.SaveAsDBF(target);
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

int CDatReaderView::PrintTo(QPrinter& printer)
{
    std::vector<int> widths;
    std::vector<int> fields;
    for (int column = 0; column < ColumnCount(); ++column) {
        widths.push_back(ColumnWidth(column));
        fields.push_back(MapColumnToField(column));
    }
    ListPrinter listPrinter(document_->Doc(), fields, widths, MaxCharWidth());
    return listPrinter.Print(printer);
}

void CDatReaderView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, ListPrinter::PageCountFor(printer, document_->Doc()));
    if (dialog.exec() != QDialog::Accepted) return;
    PrintTo(printer);
}

void CDatReaderView::OnFilePrintPreview()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintPreviewDialog preview(&printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* target) { PrintTo(*target); });
    preview.exec();
}

}  // namespace logora::ui
