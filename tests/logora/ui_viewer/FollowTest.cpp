// View > Follow over a Zarn datalog whose writer appends: the list and the
// plot take the new records in, the list follows the end only when it showed
// it, and a file cut short is reported with the offer to open it again.
#include <QAbstractButton>
#include <QApplication>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

#include "ViewerFixture.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"

namespace logora::ui {
namespace {

using Follow = ViewerFixture;

TEST_F(Follow, TheListAndThePlotTakeInAppendedRecordsUntilTheFileShrinks)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 30, 3));
    ASSERT_NE(list, nullptr);
    auto* view = static_cast<CDatReaderView*>(list->View());
    ViewerDocument* document = list->Document();
    CChildFrame* plot = mainFrame_->OpenPlot(document);
    const CGraphon* chart = static_cast<CdatPlotView*>(plot->View())->Chart();
    const size_t samples = chart->Series(0).SampleCount();
    mainFrame_->MdiArea()->setActiveSubWindow(list);
    for (QMenu* menu : mainFrame_->CurrentMenus())
        if (menu->title() == "&View") emit menu->aboutToShow();
    QAction* follow = mainFrame_->Action(kFollow);
    ASSERT_TRUE(follow->isEnabled());
    follow->trigger();
    ASSERT_TRUE(document->IsFollowing());

    // The end was in view: it stays in view.
    MakeDatalog("plant", 300, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->RecordCount() == 300; }, 5000));
    EXPECT_GE(view->FirstVisibleRecord() + view->VisibleRows(), 300);
    EXPECT_TRUE(QTest::qWaitFor([&] { return chart->Series(0).SampleCount() > samples; }, 5000));
    EXPECT_EQ(mainFrame_->statusBar()->currentMessage(), "Following: 270 new records");

    // The user scrolled away from it: the list stays there.
    view->ScrollToRecord(0);
    MakeDatalog("plant", 400, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return view->RecordCount() == 400; }, 5000));
    EXPECT_EQ(view->FirstVisibleRecord(), 0);

    QString question;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            question = box->text();
            box->button(QMessageBox::No)->click();
        }
    });
    answer.start(20);
    MakeDatalog("plant", 100, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !question.isEmpty(); }, 5000));
    EXPECT_TRUE(question.contains("shrank")) << question.toStdString();
    EXPECT_FALSE(document->IsFollowing());
    EXPECT_FALSE(follow->isChecked());
    EXPECT_EQ(view->RecordCount(), 400);
}

TEST_F(Follow, APlotZoomedOntoItsNewestSamplesMovesAlongWithThem)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 300, 3));
    ASSERT_NE(list, nullptr);
    CGraphon* chart = static_cast<CdatPlotView*>(mainFrame_->OpenPlot(list->Document())->View())->Chart();
    const size_t samples = chart->Series(0).SampleCount();
    CGraphon::Viewport recent = chart->CurrentViewport();
    recent.timeFrom = recent.timeTo - (recent.timeTo - recent.timeFrom) / 4;
    chart->SetViewport(recent);
    list->Document()->SetFollowing(true);

    MakeDatalog("plant", 600, 3);
    ASSERT_TRUE(QTest::qWaitFor([&] { return chart->Series(0).SampleCount() > samples; }, 5000));
    const CGraphon::Viewport moved = chart->CurrentViewport();
    EXPECT_GT(moved.timeFrom, recent.timeFrom);
    EXPECT_NEAR(moved.timeTo - moved.timeFrom, recent.timeTo - recent.timeFrom, 1e-6);
    EXPECT_TRUE(chart->ViewMoved());
}

TEST_F(Follow, AFilteredListKeepsOnlyTheNewRecordsItsFilterKeeps)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 30, 3));
    ASSERT_NE(list, nullptr);
    auto* view = static_cast<CDatReaderView*>(list->View());
    ColumnFilter pump;
    for (int column = 0; column < view->ColumnCount(); ++column)
        if (view->HeaderText(column) == "Tagname") pump.field = view->MapColumnToField(column);
    pump.contains = "PUMP1";
    view->ApplyFilter({pump});
    ASSERT_TRUE(QTest::qWaitFor([&] { return !view->JobRunning(); }, 5000));
    ASSERT_EQ(view->RecordCount(), 10);
    list->Document()->SetFollowing(true);

    MakeDatalog("plant", 300, 3);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return list->Document()->Doc().GetRecordCount() == 300 && !view->JobRunning(); }, 5000));
    EXPECT_TRUE(view->Order().IsFiltered());
    EXPECT_EQ(view->RecordCount(), 100);
}

}  // namespace
}  // namespace logora::ui
