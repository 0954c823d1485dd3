#pragma once
// A document window inside the main window. A list window carries a status
// bar of two panes (record count, clicked record), the first kept at half the
// width. The title is "<view name> - <document title>". A window dragged by
// its title bar and let go over another document's plot window says so.

#include <QMdiSubWindow>

class QLabel;
class QStatusBar;

namespace logora::ui {

class ViewerDocument;

enum class ViewKind { List, Plot };

class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    CChildFrame(ViewerDocument* document, ViewKind kind, QWidget* parent = nullptr);

    // Puts the view into the frame (the frame owns it) and sets the title.
    void SetView(QWidget* view);
    QWidget* View() const { return view_; }
    ViewKind Kind() const { return kind_; }
    ViewerDocument* Document() const { return document_; }

    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;

    void UpdateTitle();

signals:
    // Moved and let go with the mouse over `plot`, another document's plot window.
    void DroppedOnPlot(CChildFrame* plot);
    // About to close, its view still whole.
    void Closing(CChildFrame* frame);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutPanes();

    // The window under the point of the workspace, this one left out.
    CChildFrame* FrameUnder(const QPoint& point) const;

    ViewerDocument* document_;
    ViewKind kind_;
    QPoint pressPos_;  // where the window was when the mouse went down
    QWidget* view_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    // The two panes of the original, then the selected-record count and the
    // time range (or the progress of a running find, sort or filter).
    QLabel* panes_[4] = {nullptr, nullptr, nullptr, nullptr};
};

}  // namespace logora::ui
