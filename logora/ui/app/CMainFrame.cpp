#include "logora/ui/app/CMainFrame.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMimeData>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>

#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/app/MenuCommands.h"
#include "logora/ui/app/OpenFilters.h"
#include "logora/ui/app/TileLayout.h"
#include "logora/ui/dialogs/DecimalOptionDlg.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/statistics/StatisticsPanel.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

// The open dialog's filter last used, beside the remembered folder.
constexpr std::string_view kOpenFilterKey = "OpenFileFilter";

QString CanonicalPath(const QString& path)
{
    QFileInfo info(path);
    QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

}  // namespace

CMainFrame::CMainFrame() : mdi_(new QMdiArea(this))
{
    setWindowTitle("Plantiva View File Viewer");
    setWindowIcon(QIcon(":/icons/logora.svg"));
    setCentralWidget(mdi_);
    setAcceptDrops(true);
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    statistics_ = new StatisticsPanel(this);
    addDockWidget(Qt::RightDockWidgetArea, statistics_);
    statistics_->hide();
    connect(statistics_, &StatisticsPanel::Closed, Action(kStatistics),
            [this] { Action(kStatistics)->setChecked(false); });
    connect(mdi_, &QMdiArea::subWindowActivated, this, [this] {
        UpdateMenus();
        // A plot window leaves the panel on its list.
        if (ActiveListView() || !ActiveFrame()) statistics_->SetView(ActiveListView());
    });
    UpdateRecentFiles();
    UpdateMenus();
    resize(1000, 700);
}

CMainFrame::~CMainFrame()
{
    // Windows closing during destruction must not reach the half-destroyed frame.
    disconnect(mdi_, nullptr, this, nullptr);
    qApp->removeEventFilter(this);
}

void CMainFrame::CreateMenus()
{
    auto fileMenu = [this](bool withDocument) {
        auto* menu = new QMenu("&File", this);
        menu->addAction(Action(kOpen));
        if (withDocument) {
            menu->addAction(Action(kClose));
            menu->addSeparator();
            menu->addAction(Action(kSaveAs));
            menu->addAction(Action(kSaveShown));
            menu->addSeparator();
            menu->addAction(Action(kPrintPreview));
            menu->addAction(Action(kPrint));
            menu->addAction(Action(kExportChart));
        }
        menu->addSeparator();
        QAction* placeholder = menu->addAction("Recent File");
        placeholder->setEnabled(false);
        recentPlaceholders_.append(placeholder);
        menu->addActions(recentFileActions_);
        menu->addSeparator();
        menu->addAction(Action(kExit));
        return menu;
    };
    auto toolsMenu = [this] {
        auto* menu = new QMenu("&Tools", this);
        menu->addAction(Action(kOptions));
        return menu;
    };
    auto helpMenu = [this](const char* aboutText) {
        auto* menu = new QMenu("&Help", this);
        menu->addAction(Action(kCommandLineHelp));
        QAction* about = menu->addAction(aboutText);
        about->setStatusTip(Action(kAbout)->statusTip());
        connect(about, &QAction::triggered, Action(kAbout), &QAction::trigger);
        return menu;
    };

    auto* view128 = new QMenu("&View", this);
    view128->addActions({Action(kToolbar), Action(kStatusBar)});
    noDocumentMenus_ = {fileMenu(false), toolsMenu(), view128,
                        helpMenu("&About Plantiva View File Viewer...")};

    auto* view129 = new QMenu("&View", this);
    view129->addActions({Action(kToolbar), Action(kStatusBar)});
    view129->addSeparator();
    view129->addActions({Action(kPlot), Action(kPlotFiltered), Action(kAddToPlot)});
    view129->addSeparator();
    view129->addActions({Action(kSelectColumns), Action(kResetLayout)});
    view129->addSeparator();
    view129->addActions({Action(kFilter), Action(kFilterRow), Action(kClearFilter)});
    view129->addSeparator();
    view129->addAction(Action(kStatistics));
    view129->addAction(Action(kTimeZone));
    view129->addAction(Action(kFollow));
    auto* edit = new QMenu("&Edit", this);
    edit->addActions({Action(kCopy), Action(kSelectAll)});
    edit->addSeparator();
    edit->addActions({Action(kFind), Action(kFindNext), Action(kFindPrevious), Action(kGoTo)});
    auto* window = new QMenu("&Window", this);
    window->addActions({Action(kNewWindow), Action(kCascade), Action(kTile), Action(kArrangeIcons)});
    window->addSeparator();
    window->addActions({Action(kNextWindow), Action(kPreviousWindow), Action(kCloseWindow)});
    window->addSeparator();
    connect(window, &QMenu::aboutToShow, this, [this, window] { FillWindowList(window); });
    // A filter set or another datalog opened since the window was activated.
    connect(view129, &QMenu::aboutToShow, this, &CMainFrame::EnableActions);
    documentMenusList_ = {fileMenu(true), edit,   toolsMenu(),
                          view129,        window, helpMenu("&About Quorvi Zerovuvuru File Viewer...")};
}

void CMainFrame::FillWindowList(QMenu* menu)
{
    qDeleteAll(windowListActions_);
    windowListActions_.clear();
    QList<QMdiSubWindow*> windows = mdi_->subWindowList();
    for (qsizetype i = 0; i < windows.size() && i < kMaxWindowListEntries; ++i) {
        QMdiSubWindow* window = windows[i];
        auto* action = new QAction(QString("&%1 %2").arg(i + 1).arg(window->windowTitle()), menu);
        action->setCheckable(true);
        action->setChecked(window == mdi_->activeSubWindow());
        action->setStatusTip("Activate this window");
        connect(action, &QAction::triggered, this, [this, window] { ActivateFrame(window); });
        menu->addAction(action);
        windowListActions_.append(action);
    }
}

void CMainFrame::ActivateFrame(QMdiSubWindow* window)
{
    if (!mdi_->subWindowList().contains(window)) return;
    if (window->isMinimized()) window->showNormal();
    mdi_->setActiveSubWindow(window);
    RestoreFocus();
}

void CMainFrame::RestoreFocus()
{
    // After a dialog the keys go to the active list again, not nowhere.
    activateWindow();
    if (CChildFrame* frame = ActiveFrame(); frame && frame->View())
        frame->View()->setFocus(Qt::OtherFocusReason);
}

void CMainFrame::PlaceFrame(CChildFrame* frame, bool fillWorkspace)
{
    // A new window fills the workspace: maximised like the active one, or
    // sized to the workspace.
    QMdiSubWindow* active = mdi_->activeSubWindow();
    mdi_->addSubWindow(frame);
    frame->setWindowIcon(windowIcon());
    connect(frame, &CChildFrame::DroppedOnPlot, this,
            [this, frame](CChildFrame* plot) { OnDroppedOnPlot(frame, plot); });
    if (active && active->isMaximized()) {
        frame->showMaximized();
        return;
    }
    QRect area = mdi_->viewport()->rect();
    if (fillWorkspace || !active) {
        frame->setGeometry(area);
    } else {
        frame->resize(area.width() * 3 / 4, area.height() * 3 / 4);
        frame->move(area.width() / 8, area.height() / 8);
    }
    frame->show();
}

void CMainFrame::TileWindows()
{
    // QMdiArea's own tiling widens the workspace to the largest minimum size
    // of any window times the columns, pushing windows out of view.
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdi_->subWindowList()) {
        if (window->isMinimized() || window->isHidden()) continue;
        if (window->isMaximized()) window->showNormal();
        windows.append(window);
    }
    std::vector<QRect> tiles = TileRects(static_cast<int>(windows.size()), mdi_->viewport()->rect());
    for (size_t i = 0; i < tiles.size(); ++i) windows[static_cast<qsizetype>(i)]->setGeometry(tiles[i]);
}

void CMainFrame::CreateToolBar()
{
    toolBar_ = addToolBar("Standard");
    toolBar_->setObjectName("toolbar128");
    toolBar_->setIconSize(QSize(16, 16));
    toolBar_->setMovable(true);
    toolBar_->setFloatable(true);
    toolBar_->setAllowedAreas(Qt::AllToolBarAreas);
    toolBar_->addActions({Action(kOpen), Action(kSaveAs)});
    toolBar_->addSeparator();
    toolBar_->addActions({Action(kPrintPreview), Action(kPrint), Action(kPlot), Action(kOptions),
                          Action(kSelectColumns), Action(kAbout)});
    connect(Action(kToolbar), &QAction::toggled, toolBar_, &QToolBar::setVisible);
}

void CMainFrame::CreateStatusBar()
{
    statusBar()->addWidget(new QLabel("Ready", this), 1);
    const char* names[] = {"CAP", "NUM", "SCRL"};
    for (int i = 0; i < 3; ++i) {
        indicators_[i] = new QLabel(names[i], this);
        indicators_[i]->setEnabled(false);  // lit while the lock key is on
        indicators_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        statusBar()->addPermanentWidget(indicators_[i]);
    }
    qApp->installEventFilter(this);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event)
{
    // Lock keys toggle their indicator as they are pressed in this program.
    if (event->type() == QEvent::KeyPress && watched == QApplication::focusWidget()) {
        int key = static_cast<QKeyEvent*>(event)->key();
        int indicator = key == Qt::Key_CapsLock     ? 0
                        : key == Qt::Key_NumLock    ? 1
                        : key == Qt::Key_ScrollLock ? 2
                                                    : -1;
        if (indicator >= 0) indicators_[indicator]->setEnabled(!indicators_[indicator]->isEnabled());
    }
    return QMainWindow::eventFilter(watched, event);
}

QList<QMenu*> CMainFrame::CurrentMenus() const
{
    return documentMenus_ ? documentMenusList_ : noDocumentMenus_;
}

CChildFrame* CMainFrame::ActiveFrame() const
{
    return qobject_cast<CChildFrame*>(mdi_->activeSubWindow());
}

CDatReaderView* CMainFrame::ActiveListView() const
{
    CChildFrame* frame = ActiveFrame();
    return frame && frame->Kind() == ViewKind::List ? static_cast<CDatReaderView*>(frame->View()) : nullptr;
}

CdatPlotView* CMainFrame::ActivePlotView() const
{
    CChildFrame* frame = ActiveFrame();
    return frame && frame->Kind() == ViewKind::Plot ? static_cast<CdatPlotView*>(frame->View()) : nullptr;
}

void CMainFrame::UpdateMenus()
{
    CChildFrame* frame = ActiveFrame();
    bool withDocument = frame != nullptr;
    if (withDocument != documentMenus_ || menuBar()->actions().isEmpty()) {
        documentMenus_ = withDocument;
        menuBar()->clear();
        for (QMenu* menu : CurrentMenus()) menuBar()->addMenu(menu);
    }
    EnableActions();
    setWindowTitle(frame ? QString("Plantiva View File Viewer - %1").arg(frame->Document()->Title())
                         : QString("Plantiva View File Viewer"));
}

void CMainFrame::UpdateRecentFiles()
{
    std::vector<std::string> files = ProgramAppSettings().RecentFiles();
    for (int i = 0; i < recentFileActions_.size(); ++i) {
        QAction* action = recentFileActions_[i];
        bool used = static_cast<size_t>(i) < files.size();
        action->setVisible(used);
        if (!used) continue;
        QString path = ToQString(files[static_cast<size_t>(i)]);
        action->setText(QString("&%1 %2").arg(i + 1).arg(QFileInfo(path).fileName()));
        action->setData(path);
    }
    for (QAction* placeholder : recentPlaceholders_) placeholder->setVisible(files.empty());
}

CChildFrame* CMainFrame::OpenDocumentFile(const QString& path)
{
    QString canonical = CanonicalPath(path);
    for (ViewerDocument* document : documents_) {
        if (CanonicalPath(document->PathName()) != canonical || document->Frames().isEmpty()) continue;
        // A document opens once; asking again brings its window forward.
        CChildFrame* frame = document->Frames().first();
        ActivateFrame(frame);
        return frame;
    }
    auto engineDocument = std::make_unique<CDatReaderDoc>(ProgramContext());
    bool opened = engineDocument->OnOpenDocument(FromQString(path));
    // The time zone or alarm setup dialog of the conversion took the focus.
    RestoreFocus();
    if (!opened) {
        if (!engineDocument->GetFailureReason().empty())
            statusBar()->showMessage(ToQString(engineDocument->GetFailureReason()), 10000);
        return nullptr;
    }
    auto* document = new ViewerDocument(std::move(engineDocument), this);
    documents_.append(document);
    connect(document, &ViewerDocument::Closed, this,
            [this](ViewerDocument* closed) { documents_.removeAll(closed); });
    ConnectFollowing(document);
    ProgramAppSettings().AddRecentFile(FromQString(QFileInfo(path).absoluteFilePath()));
    UpdateRecentFiles();
    return NewListWindow(document);
}

CChildFrame* CMainFrame::NewListWindow(ViewerDocument* document)
{
    auto* frame = new CChildFrame(document, ViewKind::List);
    auto* view = new CDatReaderView(document, frame);
    frame->SetView(view);
    connect(view, &CDatReaderView::PlotRequested, this, [this](ViewerDocument* d) { OpenPlot(d); });
    connect(view, &CDatReaderView::StatisticsRequested, this,
            [this, view](int column) { ShowStatisticsOf(view, column); });
    auto actionsOf = [this](std::span<const int> ids) {
        QList<QAction*> actions;
        for (int id : ids) actions << (id != 0 ? Action(id) : nullptr);
        return actions;
    };
    view->SetMenuCommands(actionsOf(kListMenuCommands), actionsOf(kHeaderMenuCommands));
    connect(view, &CDatReaderView::MenuOpening, this, &CMainFrame::EnableActions);
    PlaceFrame(frame, true);
    view->OnInitialUpdate();
    view->ShowFilterRow(Action(kFilterRow)->isChecked());
    // A further window of the document starts afresh.
    if (document->Frames().size() == 1) RestoreLayout(frame);
    connect(frame, &CChildFrame::Closing, this, &CMainFrame::KeepLayout);
    UpdateMenus();
    RestoreFocus();
    return frame;
}

CChildFrame* CMainFrame::OpenPlot(ViewerDocument* document, const std::vector<uint32_t>* records)
{
    if (CChildFrame* existing = document->PlotFrame()) {
        ActivateFrame(existing);
        if (records) static_cast<CdatPlotView*>(existing->View())->PlotRecords(records);
        return existing;
    }
    auto* frame = new CChildFrame(document, ViewKind::Plot);
    auto* view = new CdatPlotView(document, frame);
    frame->SetView(view);
    document->SetPlotFrame(frame);
    PlaceFrame(frame, false);
    view->OnInitialUpdate(records);
    RestorePlotLayout(frame);
    connect(frame, &CChildFrame::Closing, this, &CMainFrame::KeepPlotLayout);
    RestoreFocus();
    return frame;
}

void CMainFrame::OnOpen()
{
    AppSettings& settings = ProgramAppSettings();
    QString folder = ToQString(settings.OpenFilePath());
    if (folder.isEmpty())
        folder = QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
                     .filePath("Quorvi Zerovuvuru/Zarn/HMI Projects") +
                 "/";
    QFileDialog dialog(this, QString(), folder);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(OpenFilters());
    // The patterns spell every letter case; the names alone read better.
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    QString remembered = ToQString(settings.GetProfileString(settings::kOptions, kOpenFilterKey, ""));
    if (OpenFilters().contains(remembered)) dialog.selectNameFilter(remembered);
    bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    RestoreFocus();
    if (!chosen) return;
    QString path = dialog.selectedFiles().first();
    settings.WriteProfileString(settings::kOptions, kOpenFilterKey, FromQString(dialog.selectedNameFilter()));
    OpenDocumentFile(path);
    settings.WriteProfileString(settings::kOptions, settings::kOpenFilePath,
                                FromQString(QFileInfo(path).absolutePath() + "/"));
}

void CMainFrame::OnOptions()
{
    DecimalOptionDlg dialog(this);
    AppOptions& options = ProgramAppOptions();
    dialog.m_nFloatLength = options.floatLength;
    dialog.m_nDecimalCount = options.decimalCount;
    dialog.m_bShowGridLines = options.showGridLines;
    dialog.LoadControls();
    int result = dialog.exec();
    RestoreFocus();
    if (result != QDialog::Accepted) return;
    options.floatLength = dialog.m_nFloatLength;
    options.decimalCount = dialog.m_nDecimalCount;
    options.showGridLines = dialog.m_bShowGridLines;
    AppSettings& settings = ProgramAppSettings();
    settings.WriteProfileInt(settings::kOptions, settings::kFloatLength, options.floatLength);
    settings.WriteProfileInt(settings::kOptions, settings::kDecimalCount, options.decimalCount);
    settings.WriteProfileInt(settings::kOptions, settings::kShowGridLines, options.showGridLines);
    for (ViewerDocument* document : documents_) {
        document->Doc().GetTable().SetFloatFormat(options.floatLength, options.decimalCount);
        for (CChildFrame* frame : document->Frames())
            if (frame->Kind() == ViewKind::List)
                static_cast<CDatReaderView*>(frame->View())->RefreshColumns();
    }
}

void CMainFrame::OnPrint()
{
    if (CDatReaderView* list = ActiveListView())
        list->OnFilePrint();
    else if (CdatPlotView* plot = ActivePlotView())
        plot->OnFilePrint();
}

void CMainFrame::OnPrintPreview()
{
    if (CDatReaderView* list = ActiveListView()) list->OnFilePrintPreview();
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    mdi_->closeAllSubWindows();
    event->accept();
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile()) OpenDocumentFile(url.toLocalFile());
}

}  // namespace logora::ui
