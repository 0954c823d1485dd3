#include <QStatusBar>

#include "logora/engine/formats/InputFormats.h"
#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/statistics/StatisticsPanel.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

std::unique_ptr<CDatReaderDoc> CMainFrame::ConvertAgain(ViewerDocument* document)
{
    std::unique_ptr<CDatReaderDoc> again = document->Doc().ConvertedAgain();
    RestoreFocus();
    if (!again && !document->Doc().GetFailureReason().empty())
        statusBar()->showMessage(ToQString(document->Doc().GetFailureReason()), 10000);
    return again;
}

void CMainFrame::OnChangeTimeZone()
{
    CChildFrame* active = ActiveFrame();
    if (!active) return;
    ViewerDocument* document = active->Document();
    const InputFormat* format = FindInputFormat(FromQString(document->PathName()));
    if (!format || !format->needsTimeZone)
        return statusBar()->showMessage(
            QString("%1 has no destination time zone: only Vell datalogs (.LOG) have one.")
                .arg(document->Title()),
            10000);
    // Another plot reads this datalog's samples from its table.
    for (ViewerDocument* other : documents_)
        if (CChildFrame* plot = other->PlotFrame();
            other != document && plot && static_cast<CdatPlotView*>(plot->View())->Shows(document))
            return statusBar()->showMessage(
                QString("%1 is in the plot of %2: remove it there before changing its time zone.")
                    .arg(document->Title(), other->Title()),
                10000);
    std::unique_ptr<CDatReaderDoc> again = ConvertAgain(document);
    if (!again) return;
    ReplaceDocument(document, std::move(again), active);
}

void CMainFrame::ReplaceDocument(ViewerDocument* document, std::unique_ptr<CDatReaderDoc> again,
                                 CChildFrame* active)
{
    // The plot and the statistics read the old table; they start again on the new one.
    const bool plotted = document->PlotFrame() != nullptr;
    if (plotted) document->PlotFrame()->close();
    statistics_->SetView(nullptr);
    document->ReplaceDoc(std::move(again));
    for (CChildFrame* frame : document->Frames()) {
        if (frame->Kind() == ViewKind::List) static_cast<CDatReaderView*>(frame->View())->TableReplaced();
        frame->UpdateTitle();
    }
    if (plotted) OpenPlot(document);
    ActivateFrame(active);
    statistics_->SetView(ActiveListView());
}

}  // namespace logora::ui
