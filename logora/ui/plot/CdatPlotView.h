#pragma once
// The trend plot of a document: a chart covering the whole window, given one
// pen per tag and one sample per time stamp when the window opens. Other open
// datalogs can be added to it, each on the one time axis with an offset of
// its own, read a slice at a time with their progress in the main window's
// status bar (Escape stops); the document's own pens can show only the list's
// filtered records.

#include <QElapsedTimer>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "logora/ui/layouts/ListLayout.h"
#include "logora/ui/plotdata/TimeFit.h"

class QMenu;
class QPrinter;

namespace logora::ui {

class CGraphon;
class SlicedRunner;
class TrendJob;
class ViewerDocument;

class CdatPlotView : public QWidget
{
    Q_OBJECT
public:
    explicit CdatPlotView(ViewerDocument* document, QWidget* parent = nullptr);

    // Loads the document's samples into the chart, with a progress window;
    // with `records`, of those records only (ascending).
    void OnInitialUpdate(const std::vector<uint32_t>* records = nullptr);
    CGraphon* Chart() const { return chart_; }
    // One page: the chart drawn into the printer's page.
    void PrintTo(QPrinter& printer);
    void OnFilePrint();
    // File > Export Chart: the visible chart as a PNG or SVG picture.
    void OnExportChart();
    // Writes the chart to `path`, SVG when it ends in .svg, else PNG.
    bool ExportChart(const QString& path);

    // Reads `other`'s datalog, after those being read, and adds its pens,
    // named with its file; a datalog without samples adds nothing.
    void AddDocument(ViewerDocument* other);
    bool Reading() const;
    // Escape: no more datalogs are read or added.
    void StopReading();
    // Whether the plot shows `document`'s pens, its own or added, or reads them.
    bool Shows(const ViewerDocument* document) const;
    // The document's own pens over these records only (ascending), or over
    // every record again with none.
    void PlotRecords(const std::vector<uint32_t>* records);
    bool ShowsFilteredRecords() const { return filtered_; }
    // After the document's table gained records at its end: its own pens
    // are read again, quietly, soon; a time range that showed the newest
    // sample follows it, any other stays. A plot of filtered records keeps
    // the records it shows.
    void RecordsAppended();
    // Moves an added file's pens along the time axis (file 1 is the first added).
    void SetFileOffset(size_t file, double seconds);
    void RemoveFile(size_t file);
    // CdatPlotViewLayout.cpp: the own pens' hidden marks, scales and zoom.
    PlotLayout CurrentLayout() const;
    // Hides the pens named there and shows the others.
    void ApplyLayout(const PlotLayout& layout);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ReadSamplesAgain();
    // The first and last time of the document's own samples.
    TimeRange SampleTimes() const;
    // Starts reading the first datalog waiting.
    void ReadNext();
    void Added(ViewerDocument* other, TrendJob& job);
    void DocumentClosed(ViewerDocument* document);
    // In the main window's status bar.
    void ShowStatus(const QString& text, int milliseconds = 0);
    // Asks for an added file's offset, as "+24 h" or "-1 h 30 min".
    void AskFileOffset(size_t file);
    // A section of the context menu per file: shown, offset, removal.
    void AddFileItems(QMenu& menu);

    ViewerDocument* document_;
    CGraphon* chart_;
    // The documents of the added files, in file order from file 1 (null
    // once a document closed: its samples stay in the chart).
    QList<QPointer<ViewerDocument>> added_;
    // Those to read, the first being read.
    QList<ViewerDocument*> waiting_;
    SlicedRunner* runner_;
    bool filtered_ = false;
    // Following: a reload is waiting, and when the next one may begin.
    bool reloadWaiting_ = false;
    qint64 nextReload_ = 0;
    QElapsedTimer sinceStart_;
};

}  // namespace logora::ui
