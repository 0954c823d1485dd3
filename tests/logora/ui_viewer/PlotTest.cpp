#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMdiArea>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QStatusBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "TestContext.h"
#include "ViewerFixture.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "logora/ui/app/Commands.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/graphon/GraphonControl.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/plot/TrendHandOver.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {
namespace {

TEST(TrendHandOver, SpanIsTheSmallestWholeMinuteAboveTheRoundedSeconds)
{
    constexpr double kDay = 86400;
    EXPECT_EQ(TimeAxisSpanSeconds(0), 60);
    EXPECT_EQ(TimeAxisSpanSeconds(59 / kDay), 60);
    EXPECT_EQ(TimeAxisSpanSeconds(59.6 / kDay), 120);
    EXPECT_EQ(TimeAxisSpanSeconds(60 / kDay), 120);
    EXPECT_EQ(TimeAxisSpanSeconds(3600 / kDay), 3660);
    EXPECT_EQ(TimeAxisSpanSeconds(-5 / kDay), 60);
}

TEST(TrendHandOver, PensAreNamedByTagNameOrTagNumber)
{
    EXPECT_EQ(PenName("PUMP1", true), "PUMP1");
    EXPECT_EQ(PenName("7", false), "Tag7");
    EXPECT_EQ(PenName(std::string(300, 'x'), true).size(), 255u);
    // Decoded in the active code page (1252 here), as the record list shows it.
    EXPECT_EQ(PenName("TEMPERATUR KESSEL \xC4", true), "TEMPERATUR KESSEL \xC3\x84");
    std::string clipped;
    for (size_t i = 0; i < kMaxPenName; ++i) clipped += "\xC3\x84";
    EXPECT_EQ(PenName(std::string(300, '\xC4'), true), clipped);
}

// Records every call the chart receives, in order.
class RecordingChart : public GraphonControl
{
public:
    std::vector<std::string> calls;
    std::vector<std::string> penNames;
    std::vector<size_t> emptyValues;
    size_t widestSample = 0;
    int32_t span = 0;

    void SetLiveMode(bool live) override { calls.push_back(live ? "live" : "recorded"); }
    void AddPen(const std::string& name, const std::string& description, const std::string& unit,
                float minimum, float maximum) override
    {
        calls.push_back("pen");
        penNames.push_back(name);
        EXPECT_EQ(description, "");
        EXPECT_EQ(unit, "N/A");
        EXPECT_EQ(minimum, 0.0f);
        EXPECT_EQ(maximum, 100.0f);
    }
    void SetTimeSpan(int32_t seconds) override
    {
        calls.push_back("span");
        span = seconds;
    }
    void AddSample(double, int32_t, std::span<const std::optional<double>> values) override
    {
        calls.push_back("sample");
        size_t empty = 0;
        for (const auto& v : values) empty += !v.has_value();
        emptyValues.push_back(empty);
        widestSample = std::max(widestSample, values.size());
    }
    void PrintPage(QPainter&, const QRect&) override {}
};

using TrendPlot = ViewerFixture;

TEST_F(TrendPlot, HandOverGivesPensThenSpanThenOneSamplePerTimeStampAndFreesTheSamples)
{
    logora::test::TestContext context;
    CDatReaderDoc document(context);
    ASSERT_TRUE(document.OnOpenDocument(FromQString(MakeDatalog("plant", 9, 3))));
    RecordingChart chart;
    ConsoleProgress progress;
    LoadTrend(document, progress);
    HandOverSamples(document, chart);
    std::vector<std::string> expected = {"recorded", "pen",    "pen",    "pen",
                                         "span",     "sample", "sample", "sample"};
    EXPECT_EQ(chart.calls, expected);
    EXPECT_EQ(chart.penNames.size(), 3u);
    EXPECT_TRUE(document.GetSamples().empty());
    EXPECT_EQ(chart.span, 60);
}

TEST_F(TrendPlot, WithoutTagNamesPensAreNamedTagAndTheNumber)
{
    QString data = MakeDatalog("raw", 6, 3);
    ASSERT_TRUE(QFile::remove(folder_.filePath("raw(Tagname).DAT")));
    logora::test::TestContext context;
    CDatReaderDoc document(context);
    ASSERT_TRUE(document.OnOpenDocument(FromQString(data)));
    RecordingChart chart;
    ConsoleProgress progress;
    LoadTrend(document, progress);
    HandOverSamples(document, chart);
    ASSERT_EQ(chart.penNames.size(), 3u);
    for (const std::string& name : chart.penNames) {
        EXPECT_EQ(name.rfind("Tag", 0), 0u) << name;
        EXPECT_GT(name.size(), 3u);
    }
}

TEST_F(TrendPlot, AtMostOneHundredPens)
{
    logora::test::TestContext context;
    CDatReaderDoc document(context);
    ASSERT_TRUE(document.OnOpenDocument(FromQString(MakeDatalog("many", 101, 101))));
    RecordingChart chart;
    ConsoleProgress progress;
    LoadTrend(document, progress);
    HandOverSamples(document, chart);
    EXPECT_EQ(chart.penNames.size(), 100u);
    EXPECT_EQ(chart.widestSample, 100u);
}

CGraphon* ChartOf(CChildFrame* plot)
{
    return static_cast<CdatPlotView*>(plot->View())->Chart();
}

// Until the plot has read the datalogs added to it.
void WaitForReading(CChildFrame* plot)
{
    while (static_cast<CdatPlotView*>(plot->View())->Reading())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

TEST_F(TrendPlot, AddToPlotGivesTheOtherFilesPensNamedWithItsFileAndAnOffsetMovesThem)
{
    const QString plant2 = MakeDatalog("plant2", 8, 2);
    CChildFrame* first = mainFrame_->OpenDocumentFile(MakeDatalog("plant1", 9, 3));
    ASSERT_NE(mainFrame_->OpenDocumentFile(plant2), nullptr);
    // From the first document's window: the one other datalog is added without asking.
    mainFrame_->MdiArea()->setActiveSubWindow(first);
    QAction* add = mainFrame_->Action(kAddToPlot);
    ASSERT_TRUE(add->isEnabled());
    add->trigger();
    CChildFrame* plot = first->Document()->PlotFrame();
    ASSERT_NE(plot, nullptr);
    EXPECT_FALSE(add->isEnabled());  // the only other datalog is being read for the plot
    WaitForReading(plot);
    CGraphon* chart = ChartOf(plot);
    ASSERT_EQ(chart->Sources().SourceCount(), 2u);
    ASSERT_EQ(chart->Sources().PenCount(), 5u);
    const std::string label = QFileInfo(plant2).fileName().toStdString();
    EXPECT_EQ(chart->PenName(3), label + ": PUMP1");
    EXPECT_EQ(chart->PenName(0).rfind("plant1(1).DAT: ", 0), 0u) << chart->PenName(0);

    const TrendSeries& added = chart->Series(1);
    const double last = added.Time(added.SampleCount() - 1);
    EXPECT_LT(chart->CurrentViewport().timeTo, last + 3600);
    static_cast<CdatPlotView*>(plot->View())->SetFileOffset(1, 86400);
    chart->ResetView();
    EXPECT_GT(chart->CurrentViewport().timeTo, last + 86400);
}

TEST_F(TrendPlot, AnAddedFileKeepsItsPensWhenTheOwnAreReplacedAndGoesWhenRemoved)
{
    CChildFrame* first = mainFrame_->OpenDocumentFile(MakeDatalog("plant1", 30, 3));
    CChildFrame* second = mainFrame_->OpenDocumentFile(MakeDatalog("plant2", 8, 2));
    CChildFrame* plot = mainFrame_->AddToPlot(first->Document(), second->Document());
    WaitForReading(plot);
    auto* view = static_cast<CdatPlotView*>(plot->View());
    CGraphon* chart = view->Chart();
    chart->SetPenHidden(4, true);
    view->SetFileOffset(1, 3600);

    const std::vector<uint32_t> firstTag = {0, 3, 6};
    view->PlotRecords(&firstTag);
    ASSERT_EQ(chart->Sources().SourceCount(), 2u);
    EXPECT_EQ(chart->Series(0).SampleCount(), 3u);
    EXPECT_EQ(chart->Sources().PenCount(0), 3u);  // the document's tags, known from its first load
    EXPECT_EQ(chart->PenName(3), "plant2(1).DAT: PUMP1");
    EXPECT_TRUE(chart->IsPenHidden(4));  // the hidden pen of the added file
    EXPECT_EQ(chart->Sources().Offset(1), 3600);

    view->RemoveFile(1);
    EXPECT_EQ(chart->Sources().SourceCount(), 1u);
    EXPECT_FALSE(view->Shows(second->Document()));
    view->AddDocument(second->Document());  // and may come back
    WaitForReading(plot);
    EXPECT_EQ(chart->Sources().SourceCount(), 2u);
}

TEST_F(TrendPlot, ReadingForThePlotStopsAtEscapeAndWhenTheAddedDocumentCloses)
{
    CChildFrame* first = mainFrame_->OpenDocumentFile(MakeDatalog("plant1", 9, 3));
    CChildFrame* second = mainFrame_->OpenDocumentFile(MakeDatalog("plant2", 8, 2));
    CChildFrame* plot = mainFrame_->AddToPlot(first->Document(), second->Document());
    auto* view = static_cast<CdatPlotView*>(plot->View());
    ASSERT_TRUE(view->Reading());
    QTest::keyClick(view->Chart(), Qt::Key_Escape);
    EXPECT_FALSE(view->Reading());
    EXPECT_EQ(mainFrame_->statusBar()->currentMessage(), "Add to Plot stopped.");
    EXPECT_FALSE(view->Shows(second->Document()));

    // Its window closed before a slice was read: the table that goes is never read.
    view->AddDocument(second->Document());
    ASSERT_TRUE(view->Reading());
    second->close();
    WaitForReading(plot);
    EXPECT_EQ(view->Chart()->Sources().SourceCount(), 1u);
}

// Sends the mouse as it drags `frame` by its title bar to `to` (of the workspace).
void DragTitleBar(CChildFrame* frame, const QPoint& to)
{
    const QPoint title(60, frame->style()->pixelMetric(QStyle::PM_TitleBarHeight) / 2);
    auto send = [frame](QEvent::Type type, const QPoint& global, Qt::MouseButtons buttons) {
        const QPoint local = frame->mapFromGlobal(global);
        QMouseEvent event(type, local, global, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(frame, &event);
    };
    const QPoint start = frame->mapToGlobal(title), end = frame->mdiArea()->viewport()->mapToGlobal(to);
    send(QEvent::MouseMove, start, Qt::NoButton);  // the hover that tells the window a move may start
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
        send(QEvent::MouseMove, start + (end - start) * step / 4, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, end, Qt::NoButton);
}

TEST_F(TrendPlot, AListWindowLetGoOverAnotherDocumentsPlotIsAddedToItWhenConfirmed)
{
    CChildFrame* first = mainFrame_->OpenDocumentFile(MakeDatalog("plant1", 9, 3));
    CChildFrame* plot = mainFrame_->OpenPlot(first->Document());
    CChildFrame* second = mainFrame_->OpenDocumentFile(MakeDatalog("plant2", 8, 2));
    first->setGeometry(0, 0, 300, 200);
    plot->setGeometry(0, 220, 400, 300);
    second->setGeometry(450, 0, 300, 200);
    const QPoint overPlot = plot->geometry().center();

    // Moved out of the way, not onto a plot: nothing asked.
    DragTitleBar(second, QPoint(600, 400));
    EXPECT_EQ(ChartOf(plot)->Sources().SourceCount(), 1u);

    QString question;
    QTimer::singleShot(0, [&question] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    });
    DragTitleBar(second, overPlot);
    WaitForReading(plot);
    EXPECT_TRUE(question.contains("plant2(1).DAT")) << question.toStdString();
    ASSERT_EQ(ChartOf(plot)->Sources().SourceCount(), 2u);
    EXPECT_EQ(ChartOf(plot)->PenName(3), "plant2(1).DAT: PUMP1");

    // Its datalog is in the plot already: let go there again, nothing is asked.
    second->move(450, 0);
    DragTitleBar(second, overPlot);
    EXPECT_EQ(ChartOf(plot)->Sources().SourceCount(), 2u);
}

TEST_F(TrendPlot, PlotFilteredRecordsShowsOnlyTheRecordsTheFilterKeeps)
{
    CChildFrame* list = mainFrame_->OpenDocumentFile(MakeDatalog("plant", 30, 3));
    auto* view = static_cast<CDatReaderView*>(list->View());
    QAction* plotFiltered = mainFrame_->Action(kPlotFiltered);
    ColumnFilter firstValues;
    for (int column = 0; column < view->ColumnCount(); ++column)
        if (view->HeaderText(column) == "Value") firstValues.field = view->MapColumnToField(column);
    firstValues.from = 0;
    firstValues.to = 1;  // the first tag's first three samples
    view->ApplyFilter({firstValues});
    while (view->JobRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    ASSERT_EQ(view->RecordCount(), 3);
    for (QMenu* menu : mainFrame_->CurrentMenus())
        if (menu->title() == "&View") emit menu->aboutToShow();
    ASSERT_TRUE(plotFiltered->isEnabled());
    plotFiltered->trigger();
    ASSERT_NE(list->Document()->PlotFrame(), nullptr);
    auto* plot = static_cast<CdatPlotView*>(list->Document()->PlotFrame()->View());
    EXPECT_TRUE(plot->ShowsFilteredRecords());
    EXPECT_EQ(plot->Chart()->Series(0).SampleCount(), 3u);
    EXPECT_EQ(plot->Chart()->Series(0).PenCount(), 1u);

    plot->PlotRecords(nullptr);
    EXPECT_EQ(plot->Chart()->Series(0).SampleCount(), 10u);
    EXPECT_EQ(plot->Chart()->Series(0).PenCount(), 3u);
}

TEST_F(TrendPlot, APlotOpensAgainWithItsHiddenPensScalesAndZoom)
{
    const QString path = MakeDatalog("kept", 30, 3);
    CChildFrame* list = mainFrame_->OpenDocumentFile(path);
    CGraphon* chart = ChartOf(mainFrame_->OpenPlot(list->Document()));
    chart->SetPenHidden(1, true);
    chart->SetPenScales(true);
    CGraphon::Viewport zoomed = chart->CurrentViewport();
    zoomed.timeTo = zoomed.timeFrom + (zoomed.timeTo - zoomed.timeFrom) / 3;
    chart->SetViewport(zoomed);
    list->Document()->PlotFrame()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    chart = ChartOf(mainFrame_->OpenPlot(list->Document()));
    EXPECT_TRUE(chart->IsPenHidden(1));
    EXPECT_FALSE(chart->IsPenHidden(0));
    EXPECT_TRUE(chart->PenScales());
    EXPECT_EQ(chart->CurrentViewport().timeTo, zoomed.timeTo);

    // Home fits the data again: the next plot is not held to the old zoom.
    chart->ResetView();
    list->close();
    for (int round = 0; round < 2; ++round)
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    list = mainFrame_->OpenDocumentFile(path);
    chart = ChartOf(mainFrame_->OpenPlot(list->Document()));
    EXPECT_TRUE(chart->IsPenHidden(1));
    EXPECT_FALSE(chart->ViewMoved());
    EXPECT_GT(chart->CurrentViewport().timeTo, zoomed.timeTo);
}

}  // namespace
}  // namespace logora::ui
