#pragma once
// The trend plot of a document: a chart covering the whole window, given one
// pen per tag and one sample per time stamp when the window opens. Other open
// datalogs can be added to it, each on the one time axis with an offset of
// its own; the document's own pens can show only the list's filtered records.

#include <QList>
#include <QPointer>
#include <QWidget>
#include <cstdint>
#include <vector>

class QMenu;
class QPrinter;

namespace logora::ui {

class CGraphon;
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

    // Adds the pens of `other`'s datalog, named with its file; false when
    // it holds no samples (nothing is added).
    bool AddDocument(ViewerDocument* other);
    // Whether the plot shows `document`'s pens, its own or added.
    bool Shows(const ViewerDocument* document) const;
    // The document's own pens over these records only (ascending), or over
    // every record again with none.
    void PlotRecords(const std::vector<uint32_t>* records);
    bool ShowsFilteredRecords() const { return filtered_; }
    // Moves an added file's pens along the time axis (file 1 is the first added).
    void SetFileOffset(size_t file, double seconds);
    void RemoveFile(size_t file);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Hands `document`'s samples to the chart's current file, with the
    // progress window of the plot's load.
    void HandOver(ViewerDocument* document, const std::vector<uint32_t>* records);
    // Asks for an added file's offset, as "+24 h" or "-1 h 30 min".
    void AskFileOffset(size_t file);
    // A section of the context menu per file: shown, offset, removal.
    void AddFileItems(QMenu& menu);

    ViewerDocument* document_;
    CGraphon* chart_;
    // The documents of the added files, in file order from file 1 (null
    // once a document closed: its samples stay in the chart).
    QList<QPointer<ViewerDocument>> added_;
    bool filtered_ = false;
};

}  // namespace logora::ui
