#include <QFileInfo>
#include <QMdiArea>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/layouts/LayoutBook.h"
#include "logora/ui/layouts/LayoutText.h"
#include "logora/ui/listview/CDatReaderView.h"
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

}  // namespace

void CMainFrame::KeepLayout(CChildFrame* frame)
{
    CDatReaderView* list = ListOf(frame);
    if (!list) return;
    ListLayout layout = list->CurrentLayout();
    const QRect place = frame->geometry();
    layout.window = {place.x(), place.y(), place.width(), place.height(), frame->isMaximized()};
    // A layout that cannot be kept costs only its restoring next time.
    ViewerLayouts().Keep(LayoutKey(frame->Document()), std::move(layout));
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
