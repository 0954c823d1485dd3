#include "logora/ui/plot/CdatPlotView.h"

#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
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
