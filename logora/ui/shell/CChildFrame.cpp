#include "logora/ui/shell/CChildFrame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMouseEvent>
#include <QStatusBar>
#include <QVBoxLayout>

#include "logora/engine/run/StringTable.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

CChildFrame::CChildFrame(ViewerDocument* document, ViewKind kind, QWidget* parent)
    : QMdiSubWindow(parent), document_(document), kind_(kind)
{
    setAttribute(Qt::WA_DeleteOnClose);
    document_->AddFrame(this);
}

void CChildFrame::SetView(QWidget* view)
{
    view_ = view;
    auto* content = new QWidget(this);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(view);
    if (kind_ == ViewKind::List) {
        // Trend plot windows have no status bar.
        statusBar_ = new QStatusBar(content);
        statusBar_->setSizeGripEnabled(false);
        panes_[0] = new QLabel(ToQString(LoadString(strings::TotalRecordNumber)), statusBar_);
        panes_[1] = new QLabel(ToQString(LoadString(strings::SelectedRecord)), statusBar_);
        statusBar_->addWidget(panes_[0]);
        statusBar_->addWidget(panes_[1], 1);
        for (int pane : {2, 3}) {
            panes_[pane] = new QLabel(statusBar_);
            statusBar_->addPermanentWidget(panes_[pane]);
        }
        // Texts longer than a small (tiled) window is wide are cut instead of
        // widening the window past its tile.
        for (int pane : {1, 2, 3}) panes_[pane]->setMinimumWidth(1);
        layout->addWidget(statusBar_);
    }
    setWidget(content);
    UpdateTitle();
    LayoutPanes();
}

void CChildFrame::SetPaneText(int pane, const QString& text)
{
    if (statusBar_ && pane >= 0 && pane < 4) panes_[pane]->setText(text);
}

QString CChildFrame::PaneText(int pane) const
{
    return statusBar_ && pane >= 0 && pane < 4 ? panes_[pane]->text() : QString();
}

void CChildFrame::UpdateTitle()
{
    uint32_t viewName = kind_ == ViewKind::List ? strings::ListView : strings::TrendPlot;
    setWindowTitle(QString("%1 - %2").arg(ToQString(LoadString(viewName)), document_->Title()));
}

void CChildFrame::closeEvent(QCloseEvent* event)
{
    emit Closing(this);
    if (kind_ == ViewKind::List) {
        // Closing a list window takes the document's trend plot with it.
        if (CChildFrame* plot = document_->PlotFrame()) {
            document_->SetPlotFrame(nullptr);
            plot->close();
        }
    } else if (document_->PlotFrame() == this) {
        document_->SetPlotFrame(nullptr);
    }
    document_->RemoveFrame(this);
    QMdiSubWindow::closeEvent(event);
}

void CChildFrame::mousePressEvent(QMouseEvent* event)
{
    pressPos_ = pos();
    QMdiSubWindow::mousePressEvent(event);
}

void CChildFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const bool moved = pos() != pressPos_;
    QMdiSubWindow::mouseReleaseEvent(event);
    if (!moved || event->button() != Qt::LeftButton || !mdiArea()) return;
    CChildFrame* under = FrameUnder(mdiArea()->viewport()->mapFromGlobal(event->globalPosition().toPoint()));
    if (under && under->Kind() == ViewKind::Plot && under->Document() != document_) emit DroppedOnPlot(under);
}

CChildFrame* CChildFrame::FrameUnder(const QPoint& point) const
{
    const QList<QMdiSubWindow*> windows = mdiArea()->subWindowList(QMdiArea::StackingOrder);
    for (auto window = windows.rbegin(); window != windows.rend(); ++window)
        if (*window != this && (*window)->isVisible() && (*window)->geometry().contains(point))
            return qobject_cast<CChildFrame*>(*window);
    return nullptr;
}

void CChildFrame::resizeEvent(QResizeEvent* event)
{
    QMdiSubWindow::resizeEvent(event);
    LayoutPanes();
}

void CChildFrame::LayoutPanes()
{
    if (!statusBar_ || !widget()) return;
    panes_[0]->setFixedWidth(widget()->width() / 2);
}

}  // namespace logora::ui
