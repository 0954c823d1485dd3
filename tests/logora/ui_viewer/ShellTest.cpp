#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QStyle>
#include <QTimer>
#include <QToolBar>

#include "VellSamples.h"
#include "ViewerFixture.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/app/OpenFilters.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "tests/logora/alarm/CancelAfter.h"

namespace logora::ui {
namespace {

QStringList MenuTitles(const CMainFrame& frame)
{
    QStringList titles;
    for (QMenu* menu : frame.CurrentMenus()) titles << menu->title();
    return titles;
}

bool MenuHas(const CMainFrame& frame, const QString& menuTitle, QAction* action)
{
    for (QMenu* menu : frame.CurrentMenus())
        if (menu->title() == menuTitle) return menu->actions().contains(action);
    return false;
}

using Shell = ViewerFixture;

TEST_F(Shell, MenusFollowThePresenceOfADocument)
{
    EXPECT_EQ(MenuTitles(*mainFrame_), QStringList({"&File", "&Tools", "&View", "&Help"}));
    EXPECT_FALSE(MenuHas(*mainFrame_, "&View", mainFrame_->Action(kPlot)));
    EXPECT_FALSE(MenuHas(*mainFrame_, "&File", mainFrame_->Action(kSaveAs)));
    EXPECT_FALSE(mainFrame_->windowIcon().pixmap(32).isNull());  // the program's own icon, built in

    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(MenuTitles(*mainFrame_),
              QStringList({"&File", "&Edit", "&Tools", "&View", "&Window", "&Help"}));
    EXPECT_TRUE(MenuHas(*mainFrame_, "&View", mainFrame_->Action(kPlot)));
    EXPECT_TRUE(mainFrame_->Action(kPlot)->isEnabled());
    EXPECT_EQ(mainFrame_->Action(kSaveAs)->statusTip(), "Save file as DBF or CSV file");
    EXPECT_EQ(mainFrame_->Action(kSaveAs)->toolTip(), "Save As");

    list->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(MenuTitles(*mainFrame_), QStringList({"&File", "&Tools", "&View", "&Help"}));
    EXPECT_TRUE(mainFrame_->Documents().isEmpty());
}

// Each command is usable where its window is active: list commands in a list
// window, Export Chart in a trend plot, Print and the window commands in both.
TEST_F(Shell, CommandsAreEnabledByTheActiveWindow)
{
    auto enabled = [this](std::initializer_list<int> ids) {
        QString states;
        for (int id : ids) states += mainFrame_->Action(id)->isEnabled() ? '1' : '0';
        return states.toStdString();
    };
    const std::initializer_list<int> ids = {kOpen,      kSaveAs, kPrint,       kPlot,       kFind,
                                            kFilterRow, kClose,  kExportChart, kNextWindow, kOptions};
    EXPECT_EQ(enabled(ids), "1000000001");
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(enabled(ids), "1111111011");
    mainFrame_->OpenPlot(list->Document());
    EXPECT_EQ(enabled(ids), "1010001111");
}

TEST_F(Shell, PrintShowsAPrinterNotTheDiskOfSave)
{
    auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
    QImage print = image(mainFrame_->Action(kPrint)->icon());
    ASSERT_FALSE(print.isNull());
    EXPECT_NE(print, image(mainFrame_->Action(kSaveAs)->icon()));
    EXPECT_NE(print, image(mainFrame_->style()->standardIcon(QStyle::SP_DriveFDIcon)));
}

// Each toolbar button shows a picture of its own, none of them the style's
// stand-ins (a computer for Plot).
TEST_F(Shell, ToolbarPicturesAreEachTheirOwn)
{
    auto image = [](const QIcon& icon) { return icon.pixmap(16).toImage(); };
    QList<QImage> seen;
    for (QAction* action : mainFrame_->findChild<QToolBar*>()->actions()) {
        if (action->isSeparator()) continue;
        const QImage picture = image(action->icon());
        EXPECT_FALSE(picture.isNull()) << action->text().toStdString();
        EXPECT_FALSE(seen.contains(picture)) << action->text().toStdString();
        seen << picture;
    }
    for (QStyle::StandardPixmap standIn : {QStyle::SP_ComputerIcon, QStyle::SP_FileDialogContentsView,
                                           QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogListView})
        EXPECT_FALSE(seen.contains(image(mainFrame_->style()->standardIcon(standIn))));
}

// The commands beyond the original menus each have keys that no other
// command has, and the list's context menus offer those of the list.
TEST_F(Shell, AddedCommandsHaveKeysOfTheirOwnAndTheListMenusOfferThem)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(list, nullptr);
    auto* view = static_cast<CDatReaderView*>(list->View());
    auto bare = [](const QString& text) { return text.section('\t', 0, 0).remove('&').trimmed(); };
    auto offered = [&bare](const QMenu& menu) {
        QStringList texts;
        for (QAction* action : menu.actions()) texts << bare(action->text());
        return texts;
    };
    QMenu listMenu, headerMenu;
    view->FillListMenu(listMenu);
    view->FillHeaderMenu(headerMenu, 0);
    const QStringList inList = offered(listMenu), inHeader = offered(headerMenu);
    EXPECT_TRUE(inHeader.contains("Statistics of " + view->HeaderText(0)));
    // Window and chart commands belong to no list.
    const QList<int> elsewhere = {kNextWindow, kPreviousWindow, kCloseWindow, kExportChart};
    QMap<QString, QString> owners;  // key → command
    for (const CommandPrompt& command : kCommandPrompts) {
        QAction* action = mainFrame_->Action(command.id);
        const bool added = command.id >= kFind && command.id < kStandardOpen &&
                           (command.id < kWindowList || command.id >= kWindowList + kMaxWindowListEntries);
        if (action == nullptr) continue;
        QList<QKeySequence> keys = action->shortcuts();
        // Close Window's key is the document window's own, named in its text.
        if (added && keys.isEmpty()) keys << QKeySequence(action->text().section('\t', 1));
        const QString name = bare(action->text());
        if (added) {
            EXPECT_FALSE(keys.isEmpty() || keys.front().isEmpty()) << name.toStdString();
        }
        for (const QKeySequence& key : keys) {
            const QString text = key.toString();
            EXPECT_FALSE(owners.contains(text)) << text.toStdString() << ": " << name.toStdString() << " and "
                                                << owners.value(text).toStdString();
            owners.insert(text, name);
        }
        if (added && !elsewhere.contains(command.id)) {
            EXPECT_TRUE(inList.contains(name)) << name.toStdString();
        }
    }
    for (int id : {kFilterRow, kSelectColumns, kResetLayout})
        EXPECT_TRUE(inHeader.contains(bare(mainFrame_->Action(id)->text())));
}

TEST_F(Shell, ListWindowTitleAndStatusPanes)
{
    QString path = MakeDatalog("plant", 12, 3);
    CChildFrame* list = mainFrame_->OpenDocumentFile(path);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->windowTitle().startsWith("List View - plant"));
    EXPECT_EQ(list->PaneText(0), "Total record number: 12");
    auto* view = static_cast<CDatReaderView*>(list->View());
    view->OnClick(-1);
    EXPECT_EQ(list->PaneText(1), "Selected record: 0");
    view->OnClick(0);
    EXPECT_EQ(list->PaneText(1), "Selected record: 1");
}

// A cancelled open keeps the records read so far; the window says so, and
// Save As warns before it writes them. (A datalog read in place is checked
// record by record as it opens, so it can be cancelled as a conversion can.)
TEST_F(Shell, CancelledOpenSaysItIsIncomplete)
{
    const QString path = folder_.filePath("plant.log");
    ASSERT_TRUE(vellgen::WritePatternDatalog(path.toStdString(), 1500, 0, 3, 1783000000));
    const ProgressFactory installed = ProgramContext().progress;
    ProgramContext().progress = [](const std::string&, const std::string&) {
        return std::make_unique<testsupport::CancelAfter>(1200);
    };
    CChildFrame* list = mainFrame_->OpenDocumentFile(path);
    ProgramContext().progress = installed;
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->windowTitle(), "List View - plant.log (incomplete)");
    EXPECT_EQ(list->PaneText(0), "Total record number: 1200 (incomplete: 1,200 of 1,500 records)");

    QString warning;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* box = qobject_cast<QMessageBox*>(dialog)) warning = box->text();
        if (dialog) dialog->reject();
    });
    static_cast<CDatReaderView*>(list->View())->OnFileSaveAs();
    EXPECT_EQ(warning, "plant.log is incomplete: 1,200 of 1,500 records.\nSave only the records it holds?");
}

TEST_F(Shell, AFileAlreadyOpenIsBroughtForwardNotOpenedTwice)
{
    QString path = MakeDatalog("plant", 12, 3);
    CChildFrame* first = mainFrame_->OpenDocumentFile(path);
    CChildFrame* again = mainFrame_->OpenDocumentFile(path);
    EXPECT_EQ(first, again);
    EXPECT_EQ(mainFrame_->Documents().size(), 1);
}

TEST_F(Shell, ClosingAListWindowClosesThePlotAndClosingThePlotKeepsTheList)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 12, 3));
    ASSERT_NE(list, nullptr);
    ViewerDocument* document = list->Document();
    CChildFrame* plot = mainFrame_->OpenPlot(document);
    EXPECT_TRUE(plot->windowTitle().startsWith("Trend Plot - plant"));
    EXPECT_EQ(document->PlotFrame(), plot);
    EXPECT_EQ(mainFrame_->OpenPlot(document), plot);  // one plot window per document

    plot->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(document->PlotFrame(), nullptr);
    EXPECT_EQ(mainFrame_->MdiArea()->subWindowList().size(), 1);

    CChildFrame* second = mainFrame_->NewListWindow(document);
    CChildFrame* freshPlot = mainFrame_->OpenPlot(document);
    ASSERT_NE(freshPlot, nullptr);
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(document->PlotFrame(), nullptr);
    EXPECT_EQ(mainFrame_->MdiArea()->subWindowList().size(), 1);  // only the first list window
    EXPECT_NE(mainFrame_->OpenPlot(document), nullptr);
}

TEST(OpenFilters, AllSupportedFilesComeFirstInAnyLetterCase)
{
    QStringList filters = OpenFilters();
    ASSERT_EQ(filters.size(), 6);
    EXPECT_TRUE(filters[0].startsWith("All supported files"));
    for (const char* name : {"a.DAT", "b.obf", "c.Log", "d.aLM", "e.dbf", "f.RpP"})
        EXPECT_TRUE(FilterMatches(filters[0], name)) << name;
    EXPECT_FALSE(FilterMatches(filters[0], "notes.txt"));
    EXPECT_TRUE(FilterMatches(filters[1], "plant(1).Dat"));
    EXPECT_FALSE(FilterMatches(filters[1], "plant.log"));
}

}  // namespace
}  // namespace logora::ui
