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

private:
    ViewerDocument* document_;
    CGraphon* chart_;
};

}  // namespace logora::ui
