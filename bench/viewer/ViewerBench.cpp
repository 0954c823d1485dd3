// Times the viewer on a large generated datalog, offscreen:
//   viewer-bench list <records>  open, first painted list, jump to the last row
//   viewer-bench plot <samples> <pens>  Plot command to first painted chart, repaint after a zoom
// Prints seconds and the peak resident memory of the process.
#include <sys/resource.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/shell/CChildFrame.h"
#include "tools/zarn-gen/ZarnGen.h"

namespace {

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Writes a Zarn data file without its tag file, so it loads as it is.
QString WriteDatalog(const QTemporaryDir& folder, uint64_t records, uint32_t tags)
{
    logora::zarngen::ZarnSampleSpec spec;
    spec.records = records;
    spec.tagCount = tags;
    std::string error;
    std::string data = logora::zarngen::WriteZarnDatalog(folder.path().toStdString(), "bench", spec, error);
    if (data.empty()) {
        std::fprintf(stderr, "cannot write the datalog: %s\n", error.c_str());
        std::exit(1);
    }
    QFile::remove(folder.filePath("bench(Tagname).DAT"));
    return QString::fromStdString(data);
}

double Seconds(QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

int BenchList(uint64_t records, const QTemporaryDir& folder)
{
    QString path = WriteDatalog(folder, records, 8);
    std::printf("table: %llu records, %.1f MB\n", static_cast<unsigned long long>(records),
                QFile(path).size() / 1e6);
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
    view->scrollToBottom();
    (void)view->viewport()->grab();
    double jump = Seconds(timer);
    bool atEnd = view->verticalScrollBar()->value() == view->verticalScrollBar()->maximum();
    std::printf("open and load: %.3f s\nfirst painted list after load: %.4f s\njump to last record: %.4f s (%s)\n",
                loaded, firstPaint, jump, atEnd ? "at end" : "NOT at end");
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

int BenchPlot(uint64_t samples, uint32_t pens, const QTemporaryDir& folder)
{
    QString path = WriteDatalog(folder, samples * pens, pens);
    std::printf("datalog: %llu samples x %u pens, %.1f MB\n", static_cast<unsigned long long>(samples), pens,
                QFile(path).size() / 1e6);
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
    std::printf("Plot command to first painted chart: %.3f s\nrepaint after zoom: %.4f s\nrepaint of the full range: %.4f s\n",
                firstPaint, zoomRepaint, fullRepaint);
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    QTemporaryDir folder;
    std::string mode = argc > 1 ? argv[1] : "list";
    if (mode == "list") return BenchList(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 10000000, folder);
    if (mode == "plot")
        return BenchPlot(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1000000,
                         argc > 3 ? static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)) : 8, folder);
    std::fprintf(stderr, "usage: viewer-bench list [records] | plot [samples] [pens]\n");
    return 2;
}
