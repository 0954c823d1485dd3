#pragma once
// The main window: document windows inside, one menu set without a document
// and another with one, a dockable toolbar, and a status bar with the command
// prompts, "Ready" and the CAP/NUM/SCRL indicators.

#include <QMainWindow>
#include <QMap>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QToolBar;

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class CChildFrame;
class CDatReaderView;
class CdatPlotView;
class StatisticsPanel;
class ViewerDocument;

class CMainFrame : public QMainWindow
{
    Q_OBJECT
public:
    CMainFrame();
    ~CMainFrame() override;

    // Opens `path` as a new document in a list window; a document already
    // open is brought to the front instead. Returns its list window, or null
    // when nothing opened.
    CChildFrame* OpenDocumentFile(const QString& path);
    // The trend plot window of a document, opened when it has none; with
    // `records`, its own pens show only those records (ascending).
    CChildFrame* OpenPlot(ViewerDocument* document, const std::vector<uint32_t>* records = nullptr);
    CChildFrame* NewListWindow(ViewerDocument* document);
    // Adds `added`'s pens to the plot of `target`, opening it when there is
    // none; returns the plot window, which reads `added` a slice at a time.
    CChildFrame* AddToPlot(ViewerDocument* target, ViewerDocument* added);
    // The plot of the list's document over the records its filter shows.
    CChildFrame* PlotFilteredRecords(CDatReaderView* list);

    QMdiArea* MdiArea() const { return mdi_; }
    QAction* Action(int id) const { return actions_.value(id); }
    StatisticsPanel* Statistics() const { return statistics_; }
    // The panel on `column` of `view`, as the column header's menu asks.
    void ShowStatisticsOf(CDatReaderView* view, int column);
    QList<QMenu*> CurrentMenus() const;
    const QList<ViewerDocument*>& Documents() const { return documents_; }
    CChildFrame* ActiveFrame() const;
    void UpdateMenus();
    void UpdateRecentFiles();
    // Gives the keyboard to the active document window again.
    void RestoreFocus();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // One row a command (MainFrameActions.cpp).
    struct ActionRow;
    static std::span<const ActionRow> ActionRows();
    QAction* AddAction(int id, const QString& text, const QIcon& icon = {});
    void CreateActions();
    // Enables each command as its row says, for the active window.
    void EnableActions();
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();

    void OnOpen();
    void OnExit();
    void OnNewWindow();
    void OnCommandLineHelp();
    void OnAbout();
    void OnExportChart();
    // MainFramePlots.cpp.
    void OnAddToPlot();
    void OnPlotFiltered();
    // The open datalogs that can be added to `target`'s plot.
    QList<ViewerDocument*> PlotPartners(ViewerDocument* target) const;
    // A document's window let go over another document's plot window: asks
    // whether to add its datalog to that plot.
    void OnDroppedOnPlot(CChildFrame* dragged, CChildFrame* plot);
    void ShowStatusBar(bool shown);
    void ShowFilterRows(bool shown);
    void ShowStatistics(bool shown);
    void CloseActiveWindow();
    // Minimised windows line up along the bottom edge.
    void ArrangeIcons();
    void FillWindowList(QMenu* menu);
    void ActivateFrame(QMdiSubWindow* window);
    // Adds a new document window to the workspace and shows it.
    void PlaceFrame(CChildFrame* frame, bool fillWorkspace);
    // Every shown window side by side, all inside the workspace.
    void TileWindows();
    void OnOptions();
    CDatReaderView* ActiveListView() const;
    CdatPlotView* ActivePlotView() const;
    void OnPrint();
    void OnPrintPreview();
    // MainFrameLayouts.cpp: a list window's layout, kept by its file's path.
    void KeepLayout(CChildFrame* frame);
    void RestoreLayout(CChildFrame* frame);
    // The plot's hidden pens, scales and zoom, in the same file's layout.
    void KeepPlotLayout(CChildFrame* frame);
    void RestorePlotLayout(CChildFrame* frame);
    void OnResetLayout();
    // MainFrameTimeZone.cpp: converts the active datalog again into the
    // destination time zone its dialog picks.
    void OnChangeTimeZone();
    // The document's input converted again; null, with the reason in the
    // status bar, when that fails.
    std::unique_ptr<CDatReaderDoc> ConvertAgain(ViewerDocument* document);
    // Holds `again`, `document`'s input converted again, in its place; the
    // windows of `document` show it, its plot opened anew, and `active` is
    // activated again.
    void ReplaceDocument(ViewerDocument* document, std::unique_ptr<CDatReaderDoc> again, CChildFrame* active);
    // MainFrameFollow.cpp: View > Follow of the active document, and what
    // the windows do as a followed document's table grows or its input moves.
    void OnFollow(bool following);
    void ConnectFollowing(ViewerDocument* document);
    void ShowRecordsAdded(ViewerDocument* document, qint64 added);
    void OfferReopen(ViewerDocument* document, const QString& why);

    QMdiArea* mdi_;
    QToolBar* toolBar_ = nullptr;
    StatisticsPanel* statistics_ = nullptr;
    QMap<int, QAction*> actions_;
    QList<QMenu*> noDocumentMenus_;
    QList<QMenu*> documentMenusList_;
    QList<QAction*> recentFileActions_;
    QList<QAction*> recentPlaceholders_;
    QList<QAction*> windowListActions_;
    QList<ViewerDocument*> documents_;
    QLabel* indicators_[3] = {nullptr, nullptr, nullptr};
    bool documentMenus_ = false;
};

}  // namespace logora::ui
