#include "logora/ui/listview/CDatReaderView.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHeaderView>
#include <QMouseEvent>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

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

CDatReaderView::CDatReaderView(ViewerDocument* document, CChildFrame* frame)
    : document_(document), frame_(frame)
{
    model_ = new RecordTableModel(&document->Doc(), requested_, this);
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
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

void CDatReaderView::RefreshColumns()
{
    setShowGrid(AppOptions().showGridLines != 0);
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
            horizontalHeader()->resizeSection(change.position,
                                              ColumnWidth(nameLength, field.length, charWidth, maxWidth));
        } else {
            model_->RemoveColumn(change.position);
        }
    }
    setUpdatesEnabled(true);
    model_->ResetRows();
    frame_->SetPaneText(0, ToQString(LoadString(strings::TotalRecordNumber)) +
                               QString(" %1").arg(static_cast<int32_t>(doc.GetRecordCount())));
}

void CDatReaderView::OnClick(int row)
{
    frame_->SetPaneText(1, ToQString(LoadString(strings::SelectedRecord)) + QString(" %1").arg(row + 1));
}

void CDatReaderView::mousePressEvent(QMouseEvent* event)
{
    QTableView::mousePressEvent(event);
    if (event->button() == Qt::LeftButton) {
        QModelIndex index = indexAt(event->position().toPoint());
        OnClick(index.isValid() ? index.row() : -1);
    }
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
    for (int column = 0; column < model_->columnCount(); ++column) {
        widths.push_back(columnWidth(column));
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
