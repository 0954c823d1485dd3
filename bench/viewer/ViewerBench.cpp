// Times the viewer on a datalog, offscreen (bench/viewer/run.sh makes them):
//   viewer-bench list <datalog>  open, first painted list, jump to the last row
//   viewer-bench plot <datalog>  Plot command to first painted chart, repaint after a zoom
// Prints seconds and the peak resident memory of the process.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"

namespace {

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

double Seconds(QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

int BenchList(const QString& path)
{
    std::printf("datalog: %.1f MB\n", QFile(path).size() / 1e6);
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    QElapsedTimer timer;
    timer.start();
    logora::ui::CChildFrame* child = frame.OpenDocumentFile(path);
    if (!child) return 1;
    double loaded = Seconds(timer);
    auto* view = static_cast<logora::ui::CDatReaderView*>(child->View());
    child->showMaximized();
    timer.restart();
    (void)view->viewport()->grab();
    double firstPaint = Seconds(timer);
    timer.restart();
    view->ScrollToRecord(view->RecordCount() - 1);
    (void)view->viewport()->grab();
    double jump = Seconds(timer);
    bool atEnd = view->FirstVisibleRecord() + view->VisibleRows() >= view->RecordCount();
    std::printf(
        "open and load: %.3f s\nfirst painted list after load: %.4f s\njump to last record: %.4f s (%s)\n",
        loaded, firstPaint, jump, atEnd ? "at end" : "NOT at end");
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

int BenchPlot(const QString& path)
{
    std::printf("datalog: %.1f MB\n", QFile(path).size() / 1e6);
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    logora::ui::CChildFrame* list = frame.OpenDocumentFile(path);
    if (!list) return 1;
    QElapsedTimer timer;
    timer.start();
    logora::ui::CChildFrame* plotFrame = frame.OpenPlot(list->Document());
    plotFrame->showMaximized();
    auto* chart = static_cast<logora::ui::CdatPlotView*>(plotFrame->View())->Chart();
    (void)chart->grab();
    double firstPaint = Seconds(timer);
    auto view = chart->CurrentViewport();
    timer.restart();
    chart->ZoomTime(2, (view.timeFrom + view.timeTo) / 2);
    (void)chart->grab();
    double zoomRepaint = Seconds(timer);
    timer.restart();
    chart->ResetView();
    (void)chart->grab();
    double fullRepaint = Seconds(timer);
    std::printf(
        "Plot command to first painted chart: %.3f s\nrepaint after zoom: %.4f s\nrepaint of the full range: "
        "%.4f s\n",
        firstPaint, zoomRepaint, fullRepaint);
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::string mode = argc == 3 ? argv[1] : "";
    if (mode == "list") return BenchList(QString::fromLocal8Bit(argv[2]));
    if (mode == "plot") return BenchPlot(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "usage: viewer-bench list|plot <datalog>\n");
    return 2;
}
