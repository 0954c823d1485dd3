#include <QFileInfo>
#include <QMdiArea>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/layouts/LayoutBook.h"
#include "logora/ui/layouts/LayoutText.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

std::string LayoutKey(ViewerDocument* document)
{
    return FromQString(QFileInfo(document->PathName()).absoluteFilePath());
}

CDatReaderView* ListOf(CChildFrame* frame)
{
    return frame->Kind() == ViewKind::List ? static_cast<CDatReaderView*>(frame->View()) : nullptr;
}

CdatPlotView* PlotOf(CChildFrame* frame)
{
    return frame && frame->Kind() == ViewKind::Plot ? static_cast<CdatPlotView*>(frame->View()) : nullptr;
}

// The plot's part of the file's layout: the open plot's, else the one kept.
PlotLayout PlotPart(ViewerDocument* document, const std::optional<ListLayout>& kept)
{
    if (CdatPlotView* plot = PlotOf(document->PlotFrame())) return plot->CurrentLayout();
    return kept ? kept->plot : PlotLayout{};
}

}  // namespace

void CMainFrame::KeepLayout(CChildFrame* frame)
{
    CDatReaderView* list = ListOf(frame);
    if (!list) return;
    ListLayout layout = list->CurrentLayout();
    const QRect place = frame->geometry();
    layout.window = {place.x(), place.y(), place.width(), place.height(), frame->isMaximized()};
    const std::string key = LayoutKey(frame->Document());
    layout.plot = PlotPart(frame->Document(), ViewerLayouts().Find(key));
    // A layout that cannot be kept costs only its restoring next time.
    ViewerLayouts().Keep(key, std::move(layout));
}

void CMainFrame::KeepPlotLayout(CChildFrame* frame)
{
    CdatPlotView* plot = PlotOf(frame);
    if (!plot) return;
    const std::string key = LayoutKey(frame->Document());
    std::optional<ListLayout> layout = ViewerLayouts().Find(key);
    // The list's part is kept as the list shows it now, or as it was kept.
    for (CChildFrame* other : frame->Document()->Frames())
        if (CDatReaderView* list = ListOf(other); list && !layout) layout = list->CurrentLayout();
    if (!layout) return;
    layout->plot = plot->CurrentLayout();
    ViewerLayouts().Keep(key, std::move(*layout));
}

void CMainFrame::RestorePlotLayout(CChildFrame* frame)
{
    CdatPlotView* plot = PlotOf(frame);
    std::optional<ListLayout> layout = ViewerLayouts().Find(LayoutKey(frame->Document()));
    if (plot && layout) plot->ApplyLayout(layout->plot);
}

void CMainFrame::RestoreLayout(CChildFrame* frame)
{
    CDatReaderView* list = ListOf(frame);
    std::optional<ListLayout> layout = ViewerLayouts().Find(LayoutKey(frame->Document()));
    // The file may have changed since: a layout of other fields is no use.
    if (!list || !layout || !LayoutFitsTable(*layout, frame->Document()->Doc().GetFieldCount())) return;
    list->ApplyLayout(*layout);
    const WindowLayout& window = layout->window;
    if (window.width <= 0) return;
    if (window.maximized) return frame->showMaximized();
    QRect place(window.x, window.y, window.width, window.height);
    // A workspace smaller than the one it was kept in still shows the window.
    const QRect area = mdi_->viewport()->rect();
    if (!area.intersects(place)) place.moveTopLeft(area.topLeft());
    frame->showNormal();
    frame->setGeometry(place);
}

void CMainFrame::OnResetLayout()
{
    CDatReaderView* list = ActiveListView();
    if (!list) return;
    CChildFrame* frame = ActiveFrame();
    ViewerLayouts().Forget(LayoutKey(frame->Document()));
    list->ResetLayout();
    frame->showNormal();
    frame->setGeometry(mdi_->viewport()->rect());
}

}  // namespace logora::ui
