#include "logora/ui/plot/CdatPlotView.h"

#include <QContextMenuEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSvgGenerator>
#include <QVBoxLayout>

#include "logora/engine/run/StringTable.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/plot/TrendHandOver.h"
#include "logora/ui/progress/ProgressBarDlg.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

CdatPlotView::CdatPlotView(ViewerDocument* document, QWidget* parent)
    : QWidget(parent), document_(document), chart_(new CGraphon(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(chart_);
}

void CdatPlotView::OnInitialUpdate()
{
    ProgressBarDlg progress(ToQString(LoadString(strings::OpenFileCaption)),
                            ToQString(FormatString(strings::ReadingFile, document_->Doc().GetPathName())),
                            this);
    HandOverTrend(document_->Doc(), *chart_, progress);
    // Without a sample at a recorded time (a sample on 30 December 1899 has
    // none) an axis would say nothing; the chart says why instead.
    const TrendSeries& series = chart_->Series();
    bool anyTime = false;
    for (size_t i = 0; i < series.SampleCount() && !anyTime; ++i) anyTime = series.Time(i) >= 86400.0;
    if (!anyTime)
        chart_->SetMessage("No record of this table has a usable date and time, so there is nothing to plot.");
}

bool CdatPlotView::ExportChart(const QString& path)
{
    QRect area(QPoint(0, 0), chart_->size());
    if (path.endsWith(".svg", Qt::CaseInsensitive)) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(area.size());
        svg.setViewBox(area);
        svg.setTitle(document_->Title());
        QPainter painter;
        if (!painter.begin(&svg)) return false;
        chart_->PrintPage(painter, area);
        return painter.end();
    }
    QImage image(area.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    chart_->PrintPage(painter, area);
    painter.end();
    return image.save(path, "PNG");
}

void CdatPlotView::OnExportChart()
{
    QString selected;
    QString path = QFileDialog::getSaveFileName(this, "Export Chart",
                                                QFileInfo(document_->PathName()).completeBaseName(),
                                                "PNG picture (*.png);;SVG drawing (*.svg)", &selected);
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += selected.startsWith("SVG") ? ".svg" : ".png";
    if (!ExportChart(path))
        QMessageBox::warning(this, "Export Chart", QString("Could not write the chart to %1.").arg(path));
}

void CdatPlotView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* shared =
        menu.addAction("One value axis for all pens", this, [this] { chart_->SetPenScales(false); });
    QAction* own = menu.addAction("Each pen on its own scale", this, [this] { chart_->SetPenScales(true); });
    shared->setCheckable(true);
    own->setCheckable(true);
    shared->setChecked(!chart_->PenScales());
    own->setChecked(chart_->PenScales());
    menu.addSeparator();
    menu.addAction("Reset view", this, [this] { chart_->ResetView(); });
    menu.addAction("Export Chart...", this, &CdatPlotView::OnExportChart);
    menu.exec(event->globalPos());
}

void CdatPlotView::PrintTo(QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) return;
    chart_->PrintPage(painter, painter.viewport());
    painter.end();
}

void CdatPlotView::OnFilePrint()
{
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setMinMax(1, 1);
    if (dialog.exec() == QDialog::Accepted) PrintTo(printer);
}

}  // namespace logora::ui
