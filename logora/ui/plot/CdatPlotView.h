#pragma once
// The trend plot of a document: a chart covering the whole window, given one
// pen per tag and one sample per time stamp when the window opens.

#include <QWidget>

class QPrinter;

namespace logora::ui {

class CGraphon;
class ViewerDocument;

class CdatPlotView : public QWidget
{
    Q_OBJECT
public:
    explicit CdatPlotView(ViewerDocument* document, QWidget* parent = nullptr);

    // Loads the document's samples into the chart, with a progress window.
    void OnInitialUpdate();
    CGraphon* Chart() const { return chart_; }
    // One page: the chart drawn into the printer's page.
    void PrintTo(QPrinter& printer);
    void OnFilePrint();
    // File > Export Chart: the visible chart as a PNG or SVG picture.
    void OnExportChart();
    // Writes the chart to `path`, SVG when it ends in .svg, else PNG.
    bool ExportChart(const QString& path);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    ViewerDocument* document_;
    CGraphon* chart_;
};

}  // namespace logora::ui
