// The main window's commands beyond a document's own plot: another open
// datalog added to it, and the plot of a filtered list.
#include <QInputDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <algorithm>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"

namespace logora::ui {

namespace {

CdatPlotView* PlotViewOf(const ViewerDocument* document)
{
    CChildFrame* frame = document->PlotFrame();
    return frame ? static_cast<CdatPlotView*>(frame->View()) : nullptr;
}

}  // namespace

QList<ViewerDocument*> CMainFrame::PlotPartners(ViewerDocument* target) const
{
    QList<ViewerDocument*> partners;
    if (!target->Doc().IsPlottable()) return partners;
    const CdatPlotView* plot = PlotViewOf(target);
    for (ViewerDocument* document : documents_)
        if (document != target && document->Doc().IsPlottable() && !(plot && plot->Shows(document)))
            partners.append(document);
    return partners;
}

void CMainFrame::OnAddToPlot()
{
    CChildFrame* frame = ActiveFrame();
    if (!frame) return;
    ViewerDocument* target = frame->Document();
    const QList<ViewerDocument*> partners = PlotPartners(target);
    if (partners.isEmpty()) {
        statusBar()->showMessage("No other open datalog can be added to this plot.", 10000);
        return;
    }
    ViewerDocument* added = partners.first();
    if (partners.size() > 1) {
        QStringList titles;
        for (ViewerDocument* document : partners) titles.append(document->PathName());
        bool ok = false;
        const QString chosen = QInputDialog::getItem(
            this, "Add to Plot", QString("Add to the plot of %1 the trend of:").arg(target->Title()), titles,
            0, false, &ok);
        RestoreFocus();
        if (!ok) return;
        added = partners[std::max<qsizetype>(0, titles.indexOf(chosen))];
    }
    AddToPlot(target, added);
}

CChildFrame* CMainFrame::AddToPlot(ViewerDocument* target, ViewerDocument* added)
{
    CChildFrame* frame = OpenPlot(target);
    static_cast<CdatPlotView*>(frame->View())->AddDocument(added);
    UpdateMenus();  // one datalog fewer to add
    RestoreFocus();
    return frame;
}

void CMainFrame::OnDroppedOnPlot(CChildFrame* dragged, CChildFrame* plot)
{
    ViewerDocument* added = dragged->Document();
    ViewerDocument* target = plot->Document();
    // A window moved out of the way lands on a plot as often as one dropped there.
    if (!PlotPartners(target).contains(added)) return;
    const auto answer = QMessageBox::question(
        this, "Add to Plot",
        QString("Add the trend of %1 to the plot of %2?").arg(added->Title(), target->Title()));
    RestoreFocus();
    if (answer == QMessageBox::Yes) AddToPlot(target, added);
}

void CMainFrame::OnPlotFiltered()
{
    if (CDatReaderView* list = ActiveListView(); list && list->CanPlot() && list->Order().IsFiltered())
        PlotFilteredRecords(list);
}

CChildFrame* CMainFrame::PlotFilteredRecords(CDatReaderView* list)
{
    // The trend runs in time, so the records go in file order, whatever the
    // list's sort.
    std::vector<uint32_t> records = list->Order().ShownRecords();
    std::sort(records.begin(), records.end());
    return OpenPlot(list->Document(), &records);
}

}  // namespace logora::ui
