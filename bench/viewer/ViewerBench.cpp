// Times the viewer on a datalog, offscreen (bench/viewer/run.sh makes them):
//   viewer-bench list <datalog>  open, first painted list, jump to the last row
//   viewer-bench plot <datalog>  Plot command to first painted chart, repaint after a zoom,
//                                beside `cat` of the datalog to /dev/null
//   viewer-bench overlay <datalog> <datalog>  Plot of the first with the second added
//                                (Add to Plot) to the first painted chart, repaints after a
//                                zoom and a pan
//   viewer-bench ops <datalog>   find, sort, filter, clearing, copy on the list,
//                                each run as the menu commands run it
//   viewer-bench texts <table.dbf> <records>  writes a table of distinct texts that
//                                tie on their first eight bytes, then sorts it by them
//   viewer-bench preview <table> Print Preview to its first page shown, and its last page
//   viewer-bench copy <table>    Select All and Copy to the text on the clipboard
//   viewer-bench stats <datalog> Statistics of Value, Time and TagIndex over every record
//   viewer-bench inplace <new.log> a 10-million-record Vell datalog written there, opened
//                                with its table read in place: time to first rows, peak
//                                memory, largest temporary file, whether the goal is met
//   viewer-bench inplace <log.alm> <setup.mal>  the same for an alarm log and its setup
//                                (bench_alarm --samples writes them)
//   viewer-bench follow <new.log> View > Follow of a Vell datalog whose ring a writer thread
//                                advances at 1,000 records/s: latency from each write to its
//                                row in the list, then the processor time while nothing changes
//   viewer-bench vellplot <file.log>  a Vell datalog opened with its tag file, then the Plot
//                                command to the first painted chart, and the memory it adds
//   viewer-bench vellplot-after <file.log>  the same after a sort by Value and a copy of rows
//                                (VIEWER_BENCH_PERF_WINDOW=1 prints the Plot's span for perf)
// Prints seconds and the peak resident memory of the process.
#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTableWidget>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/vettle/ChildRun.h"
#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/ui/app/CMainFrame.h"
#include "logora/ui/graphon/CGraphon.h"
#include "logora/ui/listview/CDatReaderView.h"
#include "logora/ui/listview/ListPreview.h"
#include "logora/ui/plot/CdatPlotView.h"
#include "logora/ui/records/CopyText.h"
#include "logora/ui/shell/CChildFrame.h"
#include "logora/ui/shell/ViewerDocument.h"
#include "logora/ui/statistics/StatisticsPanel.h"
#include "logora/ui/text/QtText.h"
#include "tests/support/SetupSelection.h"
#include "tools/vell-gen/VellSamples.h"

namespace {

double PeakMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;
}

// Resident memory now, and the peak since the last ResetPeak (Linux).
double StatusMiB(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0) return std::atof(line.c_str() + field.size() + 1) / 1024.0;
    return 0;
}

void ResetPeak()
{
    std::ofstream("/proc/self/clear_refs") << "5";
}

// Processor time of the whole process (threads included): what an operation
// costs, whatever else the machine runs meanwhile.
double CpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double Seconds(QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e9;
}

// Opens `path` in `frame`, the destination time zone question answered as it
// stands within `milliseconds`.
logora::ui::CChildFrame* OpenAnswered(logora::ui::CMainFrame& frame, const QString& path, int milliseconds)
{
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
    answer.start(milliseconds);
    return frame.OpenDocumentFile(path);
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

// The Plot command of `path`; with `added`, then Add to Plot of that datalog.
int BenchPlot(const QString& path, const QString& added = {})
{
    std::printf("datalog: %.1f MB\n", QFile(path).size() / 1e6);
    if (!added.isEmpty()) std::printf("added datalog: %.1f MB\n", QFile(added).size() / 1e6);
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    // A Vell datalog asks for its destination time zone: answered as it stands.
    logora::ui::CChildFrame* list = OpenAnswered(frame, path, 20);
    logora::ui::CChildFrame* other = added.isEmpty() ? nullptr : OpenAnswered(frame, added, 20);
    if (!list || (!added.isEmpty() && !other)) return 1;
    double before = StatusMiB("VmRSS");
    ResetPeak();
    double cpu = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    logora::ui::CChildFrame* plotFrame = frame.OpenPlot(list->Document());
    plotFrame->showMaximized();
    auto* chart = static_cast<logora::ui::CdatPlotView*>(plotFrame->View())->Chart();
    (void)chart->grab();
    double plotted = Seconds(timer), addCpu = CpuSeconds();
    if (other) {
        auto* plot = static_cast<logora::ui::CdatPlotView*>(
            frame.AddToPlot(list->Document(), other->Document())->View());
        while (plot->Reading()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        (void)chart->grab();
    }
    double firstPaint = Seconds(timer);
    addCpu = CpuSeconds() - addCpu;
    cpu = CpuSeconds() - cpu;
    double peak = StatusMiB("VmHWM");
    // The samples' own size: a time and one value per pen, as doubles.
    double ownMiB = 0;
    for (size_t s = 0; s < chart->Sources().SourceCount(); ++s) {
        const auto& series = chart->Series(s);
        ownMiB += series.SampleCount() * (series.PenCount() + 1) * 8.0 / (1 << 20);
        std::printf("samples: %zu x %zu pens\n", series.SampleCount(), series.PenCount());
    }
    auto view = chart->CurrentViewport();
    double repaintCpu = CpuSeconds();
    timer.restart();
    chart->ZoomTime(2, (view.timeFrom + view.timeTo) / 2);
    (void)chart->grab();
    double zoomRepaint = Seconds(timer);
    timer.restart();
    chart->PanBy((view.timeTo - view.timeFrom) / 10, 0);
    (void)chart->grab();
    double panRepaint = Seconds(timer);
    timer.restart();
    chart->ResetView();
    (void)chart->grab();
    double fullRepaint = Seconds(timer);
    repaintCpu = (CpuSeconds() - repaintCpu) / 3;
    RunChild({"/bin/cat", path.toStdString()});  // the page cache holds it already; once more for the figure
    const ChildResult cat = RunChild({"/bin/cat", path.toStdString()});
    std::printf("cat of the datalog > /dev/null: %.3f s (cpu %.3f s)\n", cat.seconds, cat.cpuSeconds);
    std::printf("samples' own size %.1f MiB\n", ownMiB);
    const char* command = other ? "Plot and Add to Plot" : "Plot command";
    std::printf("%s to first painted chart: %.3f s (cpu %.3f s)\n", command, firstPaint, cpu);
    if (other)
        std::printf("of which Add to Plot to the chart painted again: %.3f s (cpu %.3f s)\n",
                    firstPaint - plotted, addCpu);
    std::printf(
        "repaint after zoom: %.4f s, after pan: %.4f s, of the full range: %.4f s\n(cpu %.4f s a repaint)\n",
        zoomRepaint, panRepaint, fullRepaint, repaintCpu);
    std::printf(
        "memory before Plot: %.1f MiB, peak during %s: %.1f MiB (+%.1f MiB = %.2f times the samples' "
        "own size)\n",
        before, command, peak, peak - before, (peak - before) / ownMiB);
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

void WaitForJob(logora::ui::CDatReaderView* view)
{
    // Sleeps between events, as the list does, leaving the processor to the job's thread.
    while (view->JobRunning()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

int BenchOperations(const QString& path)
{
    using logora::ui::CDatReaderView;
    std::printf("datalog: %.1f MB\n", QFile(path).size() / 1e6);
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    // A Vell datalog asks for its destination time zone: answered as it stands.
    logora::ui::CChildFrame* child = OpenAnswered(frame, path, 20);
    if (!child) return 1;
    auto* view = static_cast<CDatReaderView*>(child->View());
    int64_t records = view->RecordCount();
    int columns = view->ColumnCount();
    auto column = [&](const char* name) {
        for (int c = 0; c < columns; ++c)
            if (view->HeaderText(c).compare(name, Qt::CaseInsensitive) == 0) return c;
        return -1;
    };
    int value = column("Value"), time = column("Time");
    if (value < 0 || time < 0) return 1;
    std::printf("records: %lld, shown columns: %d, after load peak %.1f MiB\n",
                static_cast<long long>(records), columns, PeakMiB());
    double cpuBefore = CpuSeconds();
    auto report = [&](const char* what, double seconds) {
        double cpu = CpuSeconds();
        std::printf("%-52s %7.3f s (cpu %.3f s)   peak %.1f MiB\n", what, seconds, cpu - cpuBefore,
                    PeakMiB());
        cpuBefore = CpuSeconds();
    };

    QElapsedTimer timer;
    cpuBefore = CpuSeconds();
    timer.start();
    // A number no cell shows: every cell of the table is formatted and compared.
    view->Find({"-0.125", true, true}, -1, false);
    WaitForJob(view);
    double missing = Seconds(timer);
    report("find, whole table scanned (as for the last record)", missing);
    std::printf("  %.1f million cells/s\n", records * double(columns) / missing / 1e6);

    for (auto [name, c] : {std::pair{"sort by Value", value}, std::pair{"sort by Time", time}}) {
        cpuBefore = CpuSeconds();
        timer.restart();
        view->SortByField(view->MapColumnToField(c), true);
        WaitForJob(view);
        report(name, Seconds(timer));
        if (!view->Order().IsSorted()) std::printf("  NOT sorted: %s\n", qPrintable(child->PaneText(3)));
    }
    view->ClearSort();

    logora::ui::ColumnFilter range;
    range.field = view->MapColumnToField(value);
    range.from = 10;
    range.to = 20;
    cpuBefore = CpuSeconds();
    timer.restart();
    view->ApplyFilter({range});
    WaitForJob(view);
    report("filter on a value range", Seconds(timer));
    std::printf("  %lld of %lld records shown\n", static_cast<long long>(view->RecordCount()),
                static_cast<long long>(records));
    cpuBefore = CpuSeconds();
    timer.restart();
    view->ClearFilter();
    (void)view->viewport()->grab();
    report("clear the filter (and repaint)", Seconds(timer));

    view->SelectRows(0, 99'999);
    cpuBefore = CpuSeconds();
    timer.restart();
    view->CopySelection();
    WaitForJob(view);
    report("copy 100,000 rows", Seconds(timer));
    std::printf("  %.1f MB of text\n",
                QApplication::clipboard()->mimeData()->data("text/plain").size() / 1e6);
    return 0;
}

logora::ui::CDatReaderView* OpenList(logora::ui::CMainFrame& frame, const QString& path)
{
    frame.resize(1200, 800);
    frame.show();
    logora::ui::CChildFrame* child = frame.OpenDocumentFile(path);
    if (!child) return nullptr;
    child->showMaximized();
    return static_cast<logora::ui::CDatReaderView*>(child->View());
}

int BenchPreview(const QString& path)
{
    logora::ui::CMainFrame frame;
    logora::ui::CDatReaderView* view = OpenList(frame, path);
    if (!view) return 1;
    std::printf("records: %lld, after load %.1f MiB\n", static_cast<long long>(view->RecordCount()),
                StatusMiB("VmRSS"));
    ResetPeak();
    QElapsedTimer timer;
    timer.start();
    bool shown = false;
    // Runs inside the preview's own event loop, once it is open.
    QTimer::singleShot(0, [&] {
        auto* preview = qobject_cast<logora::ui::ListPreview*>(QApplication::activeModalWidget());
        if (!preview) return;
        (void)preview->grab();
        shown = true;
        std::printf("Print Preview to its first page shown: %.3f s, %d pages, peak %.1f MiB\n",
                    Seconds(timer), preview->PageCount(), StatusMiB("VmHWM"));
        timer.restart();
        preview->ShowPage(preview->PageCount());
        (void)preview->grab();
        std::printf("last page shown: %.3f s, %d pages drawn, peak %.1f MiB\n", Seconds(timer),
                    preview->PagesDrawn(), StatusMiB("VmHWM"));
        preview->reject();
    });
    view->OnFilePrintPreview();
    return shown ? 0 : 1;
}

int BenchCopy(const QString& path)
{
    logora::ui::CMainFrame frame;
    logora::ui::CDatReaderView* view = OpenList(frame, path);
    if (!view) return 1;
    view->SelectAll();
    double before = StatusMiB("VmRSS");
    ResetPeak();
    QElapsedTimer timer;
    timer.start();
    uint64_t estimate = view->CopySize();
    std::printf("records: %lld, estimated text %s (%.3f s)\n", static_cast<long long>(view->RecordCount()),
                logora::ui::ApproximateSize(estimate).c_str(), Seconds(timer));
    double cpu = CpuSeconds();
    timer.restart();
    view->CopySelection();
    WaitForJob(view);
    double seconds = Seconds(timer);
    qsizetype bytes = QApplication::clipboard()->mimeData()->data("text/plain").size();
    std::printf("copy of all rows to the clipboard: %.3f s (cpu %.3f s), %.1f MB of text\n", seconds,
                CpuSeconds() - cpu, bytes / 1e6);
    std::printf("memory before %.1f MiB, peak %.1f MiB, after %.1f MiB (the clipboard's text)\n", before,
                StatusMiB("VmHWM"), StatusMiB("VmRSS"));
    QApplication::clipboard()->clear();
    std::printf("after clearing the clipboard: %.1f MiB\n", StatusMiB("VmRSS"));
    return 0;
}

int BenchStatistics(const QString& path)
{
    logora::ui::CMainFrame frame;
    logora::ui::CDatReaderView* view = OpenList(frame, path);
    if (!view) return 1;
    logora::ui::StatisticsPanel* panel = frame.Statistics();
    std::printf("records: %lld, after load %.1f MiB\n", static_cast<long long>(view->RecordCount()),
                StatusMiB("VmRSS"));
    for (const char* name : {"Value", "Time", "TagIndex"}) {
        int column = -1;
        for (int c = 0; c < view->ColumnCount(); ++c)
            if (view->HeaderText(c).compare(name, Qt::CaseInsensitive) == 0) column = c;
        if (column < 0) return 1;
        ResetPeak();
        double cpu = CpuSeconds();
        QElapsedTimer timer;
        timer.start();
        frame.ShowStatisticsOf(view, column);
        while (panel->Running()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        double seconds = Seconds(timer);
        QString count;
        for (int row = 0; row < panel->Overall()->rowCount(); ++row)
            if (panel->Overall()->item(row, 0)->text() == "Count")
                count = panel->Overall()->item(row, 1)->text();
        std::printf("statistics of %-8s %7.3f s (cpu %.3f s), count %s, %d tags, peak %.1f MiB\n", name,
                    seconds, CpuSeconds() - cpu, qPrintable(count), panel->Tags()->rowCount(),
                    StatusMiB("VmHWM"));
    }
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return 0;
}

// Texts beyond those the sort ranks: "Station 2654435761 pump" and so on,
// in scrambled order, alike in their first eight bytes.
int BenchTexts(const std::string& path, uint32_t records)
{
    {
        logora::CDBF table;
        if (!table.Create(path)) return 1;
        table.AddField("Name", 'C', 24, 0);
        table.WriteHeader(records);
        char text[32];
        for (uint32_t i = 0; i < records; ++i) {
            std::snprintf(text, sizeof text, "Station %010u pump", i * 2654435761u);
            table.SetFieldString(0, text);
            table.AppendRecord();
        }
        const uint8_t endOfFile = logora::kDBFEndOfFile;
        table.WriteBytes(&endOfFile, 1);
    }
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    logora::ui::CChildFrame* child = frame.OpenDocumentFile(QString::fromStdString(path));
    if (!child) return 1;
    auto* view = static_cast<logora::ui::CDatReaderView*>(child->View());
    std::printf("records: %lld, after load peak %.1f MiB\n", static_cast<long long>(view->RecordCount()),
                PeakMiB());
    QElapsedTimer timer;
    double cpuBefore = CpuSeconds();
    timer.start();
    view->SortByField(view->MapColumnToField(0), true);
    WaitForJob(view);
    std::printf("%-52s %7.3f s (cpu %.3f s)   peak %.1f MiB\n", "sort by distinct texts", Seconds(timer),
                CpuSeconds() - cpuBefore, PeakMiB());
    bool ordered = view->Order().IsSorted();
    for (int64_t row = 1; ordered && row < view->RecordCount(); row += view->RecordCount() / 1000 + 1)
        ordered = view->CellText(row - 1, 0) <= view->CellText(row, 0);
    std::printf("  %s\n", ordered ? "in order (sampled)" : "NOT in order");
    return ordered ? 0 : 1;
}

// Runs the event loop for `seconds`.
void RunEventsFor(double seconds)
{
    QEventLoop loop;
    QTimer::singleShot(static_cast<int>(seconds * 1000), &loop, &QEventLoop::quit);
    loop.exec();
}

// Opens `path` in a shown main window, the destination time zone question
// of a Vell datalog answered as it stands.
logora::ui::CChildFrame* OpenAnswering(logora::ui::CMainFrame& frame, const QString& path)
{
    frame.resize(1200, 800);
    frame.show();
    return OpenAnswered(frame, path, 20);
}

// A full ring of kRingSlots records, advanced by one record a millisecond
// for kWriteSeconds: the record into the slot after the newest, then the
// header's oldest and newest.
int BenchFollow(const std::string& path)
{
    constexpr int32_t kRingSlots = 20000;
    constexpr int kWriteSeconds = 5;
    constexpr int kRecords = kWriteSeconds * 1000;
    constexpr double kIdleSeconds = 5;
    if (!vellgen::WritePatternDatalog(path, kRingSlots, 0, 8, 1783000000)) return 1;
    logora::ui::CMainFrame frame;
    logora::ui::CChildFrame* child = OpenAnswering(frame, QString::fromStdString(path));
    if (!child) return 1;
    child->showMaximized();
    auto* view = static_cast<logora::ui::CDatReaderView*>(child->View());
    logora::ui::ViewerDocument* document = child->Document();
    document->SetFollowing(true);
    if (!document->IsFollowing()) return 1;

    using Clock = std::chrono::steady_clock;
    std::vector<Clock::time_point> written(kRecords);
    std::vector<double> latencies;
    latencies.reserve(kRecords);
    std::atomic<int> done{0};
    QObject::connect(document, &logora::ui::ViewerDocument::RecordsAdded, [&](qint64) {
        const Clock::time_point now = Clock::now();
        const int64_t shown = view->RecordCount() - kRingSlots;
        for (int64_t i = static_cast<int64_t>(latencies.size()); i < shown && i < done; ++i)
            latencies.push_back(std::chrono::duration<double>(now - written[static_cast<size_t>(i)]).count());
    });
    const double writeCpu = CpuSeconds();
    QElapsedTimer writing;
    writing.start();
    std::thread writer([&] {
        std::fstream log(path, std::ios::binary | std::ios::in | std::ios::out);
        const Clock::time_point start = Clock::now();
        for (int i = 0; i < kRecords; ++i) {
            std::this_thread::sleep_until(start + std::chrono::milliseconds(i));
            const int32_t newest = i % kRingSlots, oldest = (i + 1) % kRingSlots;
            std::vector<uint8_t> record;
            vellgen::AppendRecord(record, vellgen::PatternRecord(uint64_t(kRingSlots + i), 8, 1783000000));
            log.seekp(52 + int64_t{newest} * 16);
            log.write(reinterpret_cast<const char*>(record.data()), 16);
            log.seekp(44);
            log.write(reinterpret_cast<const char*>(&oldest), 4);
            log.write(reinterpret_cast<const char*>(&newest), 4);
            log.flush();
            written[static_cast<size_t>(i)] = Clock::now();
            done = i + 1;
        }
    });
    while (done < kRecords || static_cast<int>(latencies.size()) < kRecords) {
        RunEventsFor(0.1);
        if (done == kRecords && Clock::now() - written.back() > std::chrono::seconds(5)) break;
    }
    writer.join();
    const double writingCpu = (CpuSeconds() - writeCpu) / Seconds(writing) * 100;
    const size_t shown = latencies.size();
    std::sort(latencies.begin(), latencies.end());
    const double cpu = CpuSeconds();
    QElapsedTimer idle;
    idle.start();
    RunEventsFor(kIdleSeconds);
    const double idleCpu = (CpuSeconds() - cpu) / Seconds(idle) * 100;
    std::printf("records written: %d at 1,000 records/s, shown: %zu of them\n", kRecords, shown);
    if (shown > 0)
        std::printf("write to row shown: median %.1f ms, worst %.1f ms\n", latencies[shown / 2] * 1000,
                    latencies.back() * 1000);
    std::printf("processor while following the writes (writer included): %.1f %% of a core\n", writingCpu);
    std::printf("processor while nothing changes: %.2f %% of a core over %.0f s\n", idleCpu, kIdleSeconds);
    std::printf("peak memory: %.1f MiB\n", PeakMiB());
    return shown == kRecords ? 0 : 1;
}

// A Vell datalog opened as a user opens it (converted, with its tag file),
// then the Plot command; with `afterListWork`, the list sorted by Value and
// 100,000 rows copied first, as a session does before it plots.
int BenchVellPlot(const QString& path, bool afterListWork)
{
    std::printf("datalog: %.1f MB\n", QFile(path).size() / 1e6);
    logora::ui::CMainFrame frame;
    const double startMiB = StatusMiB("VmRSS");
    QElapsedTimer timer;
    timer.start();
    double cpu = CpuSeconds();
    logora::ui::CChildFrame* list = OpenAnswering(frame, path);
    if (!list) return 1;
    list->showMaximized();
    auto* view = static_cast<logora::ui::CDatReaderView*>(list->View());
    (void)view->viewport()->grab();
    std::printf(
        "records: %lld, open and convert to first painted list: %.3f s (cpu %.3f s), resident %.1f "
        "MiB (%.1f MiB before), peak %.1f MiB\n",
        static_cast<long long>(view->RecordCount()), Seconds(timer), CpuSeconds() - cpu, StatusMiB("VmRSS"),
        startMiB, StatusMiB("VmHWM"));
    if (afterListWork) {
        int value = -1;
        for (int c = 0; c < view->ColumnCount(); ++c)
            if (view->HeaderText(c).compare("Value", Qt::CaseInsensitive) == 0) value = c;
        if (value < 0) return 1;
        cpu = CpuSeconds();
        timer.restart();
        view->SortByField(view->MapColumnToField(value), true);
        WaitForJob(view);
        (void)view->viewport()->grab();
        std::printf("sort by Value: %.3f s (cpu %.3f s), resident %.1f MiB, peak %.1f MiB\n", Seconds(timer),
                    CpuSeconds() - cpu, StatusMiB("VmRSS"), StatusMiB("VmHWM"));
        view->SelectRows(0, 99'999);
        cpu = CpuSeconds();
        timer.restart();
        view->CopySelection();
        WaitForJob(view);
        std::printf(
            "copy of 100,000 rows: %.3f s (cpu %.3f s), %.1f MB of text, resident %.1f MiB, peak %.1f "
            "MiB\n",
            Seconds(timer), CpuSeconds() - cpu,
            QApplication::clipboard()->mimeData()->data("text/plain").size() / 1e6, StatusMiB("VmRSS"),
            StatusMiB("VmHWM"));
    }
    const double before = StatusMiB("VmRSS");
    ResetPeak();
    cpu = CpuSeconds();
    timer.restart();
    logora::ui::CChildFrame* plotFrame = frame.OpenPlot(list->Document());
    plotFrame->showMaximized();
    auto* chart = static_cast<logora::ui::CdatPlotView*>(plotFrame->View())->Chart();
    (void)chart->grab();
    const double firstPaint = Seconds(timer);
    cpu = CpuSeconds() - cpu;
    if (std::getenv("VIEWER_BENCH_PERF_WINDOW")) {
        // The Plot's span on the clock `perf record -k CLOCK_MONOTONIC` stamps
        // its samples with, for `perf report --time`.
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        const double end = now.tv_sec + now.tv_nsec / 1e9;
        std::printf("perf window of the Plot: %.6f,%.6f\n", end - firstPaint, end);
    }
    const double peak = StatusMiB("VmHWM"), after = StatusMiB("VmRSS");
    const auto& series = chart->Series(0);
    const size_t samples = series.SampleCount() * (series.PenCount() + 1);
    const double ownMiB = double(samples) * 8.0 / (1 << 20);
    std::printf("samples: %zu x %zu pens, their own size %.1f MiB\n", series.SampleCount(), series.PenCount(),
                ownMiB);
    logora::CConvertDATToDBF& table = list->Document()->Doc().GetTable();
    std::printf("temporary table read: %.1f MB (%u bytes a record)\n",
                double(table.GetRecordLength()) * double(table.GetRecordCount()) / 1e6,
                table.GetRecordLength());
    std::printf("Plot command to first painted chart: %.3f s (cpu %.3f s)\n", firstPaint, cpu);
    std::printf(
        "memory before Plot: %.1f MiB, peak during it: %.1f MiB (+%.1f MiB = %.2f times the samples' "
        "own size), resident after: %.1f MiB (+%.1f MiB = %.2f times)\n",
        before, peak, peak - before, (peak - before) / ownMiB, after, after - before,
        (after - before) / ownMiB);
    // What stays once the plot window is closed again.
    plotFrame->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    std::printf("resident once the plot is closed: %.1f MiB\n", StatusMiB("VmRSS"));
    {
        // What new memory of the samples' size costs on this machine, filled
        // as the columns are: the floor of the Plot's page faults.
        std::vector<double> fresh;
        const double freshCpu = CpuSeconds();
        timer.restart();
        fresh.resize(samples, 1.0);
        std::printf("new memory of the samples' size filled: %.3f s (cpu %.3f s)\n", Seconds(timer),
                    CpuSeconds() - freshCpu);
    }
    const bool fast = firstPaint < 1.0, small = peak - before <= 1.5 * ownMiB;
    std::printf("goal under 1 s to the first chart: %s; goal at most 1.5 times the samples: %s\n",
                fast ? "met" : "NOT met", small ? "met" : "NOT met");
    std::printf("peak memory of the process: %.1f MiB\n", PeakMiB());
    return 0;
}

// The largest file in `folder` and below, in bytes.
uintmax_t LargestFileIn(const std::filesystem::path& folder)
{
    uintmax_t largest = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder, error))
        if (entry.is_regular_file(error)) largest = std::max(largest, entry.file_size(error));
    return largest;
}

// For comparison, the open that converts into a temporary table first, by
// the document alone: its time and the temporary table's size.
void BenchTemporaryTableRoute(const std::string& path, const std::filesystem::path& temporary)
{
    const double cpu = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    uintmax_t table = 0;
    {
        logora::CDatReaderDoc document(logora::ProgramContext());
        document.SetReadInPlace(false);
        if (!document.OnOpenDocument(path)) return;
        table = LargestFileIn(temporary);
    }
    std::printf("with a temporary table instead: open %.3f s (cpu %.3f s), temporary table %.1f MiB\n",
                Seconds(timer), CpuSeconds() - cpu, table / double(1 << 20));
}

// View > Follow of a table read in place: its records copied into the
// temporary table first.
void BenchFollowStart(logora::ui::ViewerDocument& document, const std::filesystem::path& temporary)
{
    const double cpu = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    document.SetFollowing(true);
    std::printf(
        "View > Follow, the table copied into a temporary table first: %.3f s (cpu %.3f s), %s, "
        "temporary table %.1f MiB\n",
        Seconds(timer), CpuSeconds() - cpu, document.IsFollowing() ? "following" : "NOT following",
        LargestFileIn(temporary) / double(1 << 20));
}

// `path` opened and its first rows painted, its table read in place of the
// input: the time, the peak memory before any sort, and the largest
// temporary file (in `temporary`) while it is open; then View > Follow when
// the input can be followed.
int MeasureInPlace(const std::string& path, const std::filesystem::path& temporary, bool follow)
{
    constexpr double kGoalSeconds = 1.0, kGoalMiB = 64, kGoalTemporaryMiB = 1;
    BenchTemporaryTableRoute(path, temporary);
    ResetPeak();
    logora::ui::CMainFrame frame;
    frame.resize(1200, 800);
    frame.show();
    const double cpu = CpuSeconds();
    QElapsedTimer timer;
    timer.start();
    logora::ui::CChildFrame* child = OpenAnswered(frame, QString::fromStdString(path), 1);
    if (!child) return 1;
    const double opened = Seconds(timer);
    auto* view = static_cast<logora::ui::CDatReaderView*>(child->View());
    child->showMaximized();
    (void)view->viewport()->grab();
    const double firstRows = Seconds(timer);
    const double openCpu = CpuSeconds() - cpu;
    const double peak = StatusMiB("VmHWM");
    const double largestMiB = LargestFileIn(temporary) / double(1 << 20);
    const bool inPlace = child->Document()->Doc().IsReadInPlace();
    std::printf("table read in place: %s, %lld records\n", inPlace ? "yes" : "no",
                static_cast<long long>(view->RecordCount()));
    std::printf("open to first rows painted: %.3f s (open %.3f s; cpu %.3f s)\n", firstRows, opened, openCpu);
    std::printf("peak memory: %.1f MiB\nlargest temporary file: %.3f MiB\n", peak, largestMiB);
    const bool met =
        inPlace && firstRows < kGoalSeconds && peak < kGoalMiB && largestMiB <= kGoalTemporaryMiB;
    std::printf("goal (under %.0f s, %.0f MiB, no temporary file over %.0f MiB): %s\n", kGoalSeconds,
                kGoalMiB, kGoalTemporaryMiB, met ? "met" : "NOT met");
    if (follow) BenchFollowStart(*child->Document(), temporary);
    return 0;
}

// The temporary tables of a bench in place go to a folder of their own
// beside `path`, where their size is measured.
std::filesystem::path TemporaryFolderBeside(const std::string& path)
{
    const std::filesystem::path temporary = std::filesystem::path(path).parent_path() / "temporary";
    std::filesystem::create_directories(temporary);
    setenv("TMPDIR", temporary.c_str(), 1);
    return temporary;
}

// A 10-million-record Vell datalog with its tag file (a wrapped ring, 285-byte
// records), written to `path` and measured in place.
int BenchInPlace(const std::string& path)
{
    constexpr int32_t kRecords = 10'000'000;
    const std::filesystem::path temporary = TemporaryFolderBeside(path);
    std::string tagPath = path;
    tagPath.replace(tagPath.size() - 3, 3, "tag");
    if (!vellgen::WritePatternDatalog(path, kRecords, 3'000'000, 8, 1783000000) ||
        !vellgen::WriteFile(tagPath, vellgen::BuildTagFile(vellgen::SampleTagNames(8))))
        return 1;
    std::printf("datalog: %.1f MB, %d records\n", QFile(QString::fromStdString(path)).size() / 1e6, kRecords);
    return MeasureInPlace(path, temporary, true);
}

// An alarm log of a 6xx generator with the setup file that names every one
// of its alarms (bench_alarm --samples), measured in place: the open looks
// every alarm up in the setup first.
int BenchAlarmInPlace(const std::string& log, const std::string& setup)
{
    const std::filesystem::path temporary = TemporaryFolderBeside(log);
    std::printf("alarm log: %.1f MB\n", QFile(QString::fromStdString(log)).size() / 1e6);
    testsupport::SetupSelection selection(setup, 6);
    logora::ProgramContext().dialogs = &selection;
    const int status = MeasureInPlace(log, temporary, false);
    logora::ProgramContext().dialogs = nullptr;
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    std::string mode = argc == 3 ? argv[1] : "";
    if (mode == "list") return BenchList(QString::fromLocal8Bit(argv[2]));
    if (mode == "plot") return BenchPlot(QString::fromLocal8Bit(argv[2]));
    if (mode == "ops") return BenchOperations(QString::fromLocal8Bit(argv[2]));
    if (mode == "preview") return BenchPreview(QString::fromLocal8Bit(argv[2]));
    if (mode == "copy") return BenchCopy(QString::fromLocal8Bit(argv[2]));
    if (mode == "stats") return BenchStatistics(QString::fromLocal8Bit(argv[2]));
    if (mode == "follow") return BenchFollow(argv[2]);
    if (mode == "vellplot") return BenchVellPlot(QString::fromLocal8Bit(argv[2]), false);
    if (mode == "vellplot-after") return BenchVellPlot(QString::fromLocal8Bit(argv[2]), true);
    if (mode == "inplace") return BenchInPlace(argv[2]);
    if (argc == 4 && std::string(argv[1]) == "inplace") return BenchAlarmInPlace(argv[2], argv[3]);
    if (argc == 4 && std::string(argv[1]) == "overlay")
        return BenchPlot(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]));
    if (argc == 4 && std::string(argv[1]) == "texts")
        return BenchTexts(argv[2], static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10)));
    std::fprintf(
        stderr,
        "usage: viewer-bench list|plot|ops|stats <datalog>\n       viewer-bench "
        "follow|inplace|vellplot|vellplot-after <file.log>\n"
        "       viewer-bench overlay <datalog> <datalog>\n       viewer-bench inplace <log.alm> <setup.mal>\n"
        "       viewer-bench preview|copy <table>\n       viewer-bench texts <table.dbf> <records>\n");
    return 2;
}
