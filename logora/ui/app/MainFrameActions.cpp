// The main window's commands as one table: text, keys, icon, when each may be
// used and what it does. CreateActions makes them, EnableActions enables them
// for the active window.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <span>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/dialogs/CDlgCmdLineUsingHelp.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/statistics/StatisticsPanel.h"

namespace logora::ui {

namespace {

// When a command may be used. A trend plot window prints, exports its chart
// and takes other datalogs.
enum class Enabling {
    kAlways,
    kWithDocument,
    kWithList,
    kWithPlottableList,
    kWithFilteredPlottableList,
    kWithPlot,
    // A plottable document with another open plottable one to add.
    kWithPlotPartner,
    // A document whose input can be followed; checked while it is.
    kWithFollowableDocument
};

// The icon theme's icon, else our own drawing (crisp at any scale).
struct ActionIcon
{
    const char* theme = nullptr;
    const char* file = nullptr;
};

}  // namespace

struct CMainFrame::ActionRow
{
    int id;
    const char* text;
    // Portable key texts, "; " between several; or the platform's standard key.
    const char* keys = nullptr;
    QKeySequence::StandardKey standardKey = QKeySequence::UnknownKey;
    ActionIcon icon = {};
    Enabling enabling = Enabling::kAlways;
    bool checkable = false;
    bool checked = false;
    // Its keys work while the menus that hold it are not on the menu bar.
    bool windowWide = false;
    // What it does: one of these.
    void (CMainFrame::*command)() = nullptr;
    void (QMdiArea::*areaCommand)() = nullptr;
    void (CDatReaderView::*listCommand)() = nullptr;  // of the active list window
    void (CMainFrame::*toggled)(bool) = nullptr;
};

std::span<const CMainFrame::ActionRow> CMainFrame::ActionRows()
{
    using E = Enabling;
    using F = CMainFrame;
    using L = CDatReaderView;
    // clang-format off
    static constexpr ActionRow rows[] = {
        {.id = kOpen, .text = "&Open...\tCtrl+O", .icon = {"document-open", ":/icons/open.svg"},
         .command = &F::OnOpen},
        // Ctrl+O shows the same dialog as File > Open.
        {.id = kStandardOpen, .text = "Open", .keys = "Ctrl+O", .windowWide = true, .command = &F::OnOpen},
        {.id = kClose, .text = "&Close", .enabling = E::kWithDocument, .command = &F::CloseActiveWindow},
        {.id = kSaveAs, .text = "Save &As... ", .icon = {"document-save-as", ":/icons/save-as.svg"},
         .enabling = E::kWithList, .listCommand = &L::OnFileSaveAs},
        {.id = kSaveShown, .text = "Save S&hown...", .keys = "Ctrl+Shift+S", .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::OnSaveShown},
        {.id = kPrintPreview, .text = "Print Pre&view...",
         .icon = {"document-print-preview", ":/icons/print-preview.svg"}, .enabling = E::kWithList,
         .command = &F::OnPrintPreview},
        {.id = kPrint, .text = "&Print...\tCtrl+P", .keys = "Ctrl+P",
         .icon = {"document-print", ":/icons/print.svg"}, .enabling = E::kWithDocument,
         .command = &F::OnPrint},
        {.id = kExit, .text = "E&xit", .command = &F::OnExit},
        {.id = kOptions, .text = "&Options...",
         .icon = {"preferences-system", ":/icons/options.svg"}, .command = &F::OnOptions},
        // The toolbar follows its toggle from CreateToolBar on.
        {.id = kToolbar, .text = "&Toolbar", .checkable = true, .checked = true},
        {.id = kStatusBar, .text = "&Status Bar", .checkable = true, .checked = true,
         .toggled = &F::ShowStatusBar},
        {.id = kPlot, .text = "&Plot", .icon = {"office-chart-line", ":/icons/plot.svg"},
         .enabling = E::kWithPlottableList, .listCommand = &L::OnPlot},
        {.id = kPlotFiltered, .text = "Plot F&iltered Records", .keys = "Ctrl+Shift+T",
         .enabling = E::kWithFilteredPlottableList, .windowWide = true, .command = &F::OnPlotFiltered},
        {.id = kAddToPlot, .text = "&Add to Plot...", .keys = "Ctrl+Shift+P",
         .icon = {"office-chart-line-stacked", ":/icons/add-to-plot.svg"}, .enabling = E::kWithPlotPartner,
         .windowWide = true, .command = &F::OnAddToPlot},
        {.id = kSelectColumns, .text = "Select &Columns...",
         .icon = {"view-list-details", ":/icons/columns.svg"}, .enabling = E::kWithList,
         .listCommand = &L::OnSelectColumns},
        {.id = kNewWindow, .text = "&New Window", .enabling = E::kWithDocument, .command = &F::OnNewWindow},
        {.id = kCascade, .text = "&Cascade", .enabling = E::kWithDocument,
         .areaCommand = &QMdiArea::cascadeSubWindows},
        {.id = kTile, .text = "&Tile", .enabling = E::kWithDocument, .command = &F::TileWindows},
        {.id = kArrangeIcons, .text = "&Arrange Icons", .enabling = E::kWithDocument,
         .command = &F::ArrangeIcons},
        {.id = kCommandLineHelp, .text = "&Command Line Using Help", .command = &F::OnCommandLineHelp},
        {.id = kAbout, .text = "&About Plantiva View File Viewer...",
         .icon = {"help-about", ":/icons/about.svg"}, .command = &F::OnAbout},
        {.id = kNextPane, .text = "Next Pane", .keys = "F6", .windowWide = true,
         .areaCommand = &QMdiArea::activateNextSubWindow},
        {.id = kPreviousPane, .text = "Previous Pane", .keys = "Shift+F6", .windowWide = true,
         .areaCommand = &QMdiArea::activatePreviousSubWindow},
        {.id = kFind, .text = "&Find...", .standardKey = QKeySequence::Find, .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::OnFind},
        {.id = kGoTo, .text = "&Go To...", .keys = "Ctrl+G", .enabling = E::kWithList, .windowWide = true,
         .listCommand = &L::OnGoTo},
        {.id = kCopy, .text = "&Copy", .standardKey = QKeySequence::Copy, .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::OnCopy},
        {.id = kSelectAll, .text = "Select &All", .standardKey = QKeySequence::SelectAll,
         .enabling = E::kWithList, .windowWide = true, .listCommand = &L::SelectAll},
        {.id = kFilter, .text = "&Filter...", .keys = "Ctrl+Shift+F", .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::OnFilter},
        {.id = kClearFilter, .text = "C&lear Filter", .keys = "Ctrl+Shift+C", .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::ClearFilter},
        {.id = kFilterRow, .text = "Filter &Row", .keys = "Ctrl+Shift+R", .enabling = E::kWithList,
         .checkable = true, .windowWide = true, .toggled = &F::ShowFilterRows},
        {.id = kStatistics, .text = "S&tatistics", .keys = "Ctrl+I",
         .icon = {"office-chart-bar", ":/icons/statistics.svg"}, .enabling = E::kWithList,
         .checkable = true, .windowWide = true, .toggled = &F::ShowStatistics},
        {.id = kResetLayout, .text = "Reset &Layout", .keys = "Ctrl+Shift+L", .enabling = E::kWithList,
         .windowWide = true, .command = &F::OnResetLayout},
        {.id = kTimeZone, .text = "Time &Zone...", .keys = "Ctrl+Shift+Z", .enabling = E::kWithDocument,
         .windowWide = true, .command = &F::OnChangeTimeZone},
        {.id = kFollow, .text = "F&ollow", .keys = "Ctrl+Shift+O", .icon = {"media-seek-forward", ":/icons/follow.svg"},
         .enabling = E::kWithFollowableDocument, .checkable = true, .windowWide = true, .toggled = &F::OnFollow},
        {.id = kFindNext, .text = "Find &Next", .keys = "F3", .enabling = E::kWithList, .windowWide = true,
         .listCommand = &L::FindNext},
        {.id = kFindPrevious, .text = "Find &Previous", .keys = "Shift+F3", .enabling = E::kWithList,
         .windowWide = true, .listCommand = &L::FindPrevious},
        {.id = kExportChart, .text = "&Export Chart...", .keys = "Ctrl+E", .enabling = E::kWithPlot,
         .windowWide = true, .command = &F::OnExportChart},
        {.id = kNextWindow, .text = "Ne&xt Window", .keys = "Ctrl+Tab; Ctrl+F6", .enabling = E::kWithDocument,
         .windowWide = true, .areaCommand = &QMdiArea::activateNextSubWindow},
        {.id = kPreviousWindow, .text = "P&revious Window", .keys = "Ctrl+Shift+Tab; Ctrl+Shift+F6",
         .enabling = E::kWithDocument, .windowWide = true,
         .areaCommand = &QMdiArea::activatePreviousSubWindow},
        // Ctrl+F4 belongs to each document window's own system menu already.
        {.id = kCloseWindow, .text = "C&lose Window\tCtrl+F4", .enabling = E::kWithDocument,
         .windowWide = true, .command = &F::CloseActiveWindow},
    };
    // clang-format on
    return rows;
}

QAction* CMainFrame::AddAction(int id, const QString& text, const QIcon& icon)
{
    auto* action = new QAction(icon, text, this);
    QString prompt =
        QString::fromUtf8(CommandPromptFor(id).data(), static_cast<qsizetype>(CommandPromptFor(id).size()));
    if (!prompt.isEmpty()) {
        qsizetype newline = prompt.indexOf('\n');
        action->setStatusTip(prompt.left(newline));
        if (newline >= 0) action->setToolTip(prompt.mid(newline + 1));
    }
    actions_.insert(id, action);
    return action;
}

void CMainFrame::CreateActions()
{
    for (const ActionRow& row : ActionRows()) {
        QIcon icon;
        if (row.icon.theme) icon = QIcon::fromTheme(row.icon.theme, QIcon(row.icon.file));
        QAction* action = AddAction(row.id, row.text, icon);
        if (row.keys) action->setShortcuts(QKeySequence::listFromString(row.keys));
        // The platform's first binding only, as the menu shows one.
        if (row.standardKey != QKeySequence::UnknownKey) action->setShortcut(QKeySequence(row.standardKey));
        action->setCheckable(row.checkable);
        action->setChecked(row.checked);
        // Shortcuts of menus that are not on the menu bar still work.
        if (row.windowWide) addAction(action);
        if (row.command) connect(action, &QAction::triggered, this, row.command);
        if (row.areaCommand) connect(action, &QAction::triggered, mdi_, row.areaCommand);
        if (auto command = row.listCommand)
            connect(action, &QAction::triggered, this, [this, command] {
                if (CDatReaderView* view = ActiveListView()) (view->*command)();
            });
        if (row.toggled) connect(action, &QAction::toggled, this, row.toggled);
    }
    for (int i = 0; i < 4; ++i) {
        QAction* recent = AddAction(kRecentFile1 + i, QString());
        connect(recent, &QAction::triggered, this,
                [this, recent] { OpenDocumentFile(recent->data().toString()); });
        recentFileActions_.append(recent);
    }
}

void CMainFrame::EnableActions()
{
    const bool withDocument = ActiveFrame() != nullptr;
    CDatReaderView* list = ActiveListView();
    const bool withPlot = ActivePlotView() != nullptr;
    for (const ActionRow& row : ActionRows()) {
        switch (row.enabling) {
            case Enabling::kAlways:
                continue;
            case Enabling::kWithDocument:
                Action(row.id)->setEnabled(withDocument);
                break;
            case Enabling::kWithList:
                Action(row.id)->setEnabled(list != nullptr);
                break;
            case Enabling::kWithPlottableList:
                Action(row.id)->setEnabled(list && list->CanPlot());
                break;
            case Enabling::kWithFilteredPlottableList:
                Action(row.id)->setEnabled(list && list->CanPlot() && list->Order().IsFiltered());
                break;
            case Enabling::kWithPlot:
                Action(row.id)->setEnabled(withPlot);
                break;
            case Enabling::kWithPlotPartner:
                Action(row.id)->setEnabled(withDocument &&
                                           !PlotPartners(ActiveFrame()->Document()).isEmpty());
                break;
            case Enabling::kWithFollowableDocument: {
                ViewerDocument* document = withDocument ? ActiveFrame()->Document() : nullptr;
                const QSignalBlocker quiet(Action(row.id));
                Action(row.id)->setEnabled(document && document->Doc().CanFollow());
                Action(row.id)->setChecked(document && document->IsFollowing());
                break;
            }
        }
    }
}

void CMainFrame::OnExit()
{
    close();
}

void CMainFrame::OnNewWindow()
{
    if (CChildFrame* frame = ActiveFrame()) NewListWindow(frame->Document());
}

void CMainFrame::OnCommandLineHelp()
{
    CDlgCmdLineUsingHelp(this).exec();
}

void CMainFrame::OnAbout()
{
    AboutDlg(this).exec();
}

void CMainFrame::OnExportChart()
{
    if (CdatPlotView* plot = ActivePlotView()) plot->OnExportChart();
}

void CMainFrame::ShowStatusBar(bool shown)
{
    statusBar()->setVisible(shown);
}

void CMainFrame::CloseActiveWindow()
{
    if (QMdiSubWindow* window = mdi_->activeSubWindow()) window->close();
}

void CMainFrame::ArrangeIcons()
{
    int x = 0;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (!window->isMinimized()) continue;
        window->move(x, mdi_->viewport()->height() - window->height());
        x += window->width();
    }
}

void CMainFrame::ShowStatistics(bool shown)
{
    if (!shown) {
        statistics_->Stop();
        statistics_->hide();
        return;
    }
    statistics_->SetView(ActiveListView());
    statistics_->ShowColumn(-1);
}

void CMainFrame::ShowStatisticsOf(CDatReaderView* view, int column)
{
    const QSignalBlocker quiet(Action(kStatistics));
    Action(kStatistics)->setChecked(true);
    statistics_->SetView(view);
    statistics_->ShowColumn(column);
}

void CMainFrame::ShowFilterRows(bool shown)
{
    for (ViewerDocument* document : documents_)
        for (CChildFrame* frame : document->Frames())
            if (frame->Kind() == ViewKind::List)
                static_cast<CDatReaderView*>(frame->View())->ShowFilterRow(shown);
}

}  // namespace logora::ui
