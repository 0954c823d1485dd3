#pragma once
// The record list of a document: one row per record, one column per shown
// field, cells asked of the document as they are drawn. Owns Save As, Plot,
// Select Columns, Print and Print Preview of its window.

#include <QTableView>
#include <vector>

class QPrinter;

namespace logora::ui {

class CChildFrame;
class RecordTableModel;
class ViewerDocument;

class CDatReaderView : public QTableView
{
    Q_OBJECT
public:
    CDatReaderView(ViewerDocument* document, CChildFrame* frame);

    void OnInitialUpdate();
    void RefreshColumns();
    int MapColumnToField(int column) const;

    const std::vector<int>& RequestedStates() const { return requested_; }
    const std::vector<int>& DisplayedStates() const { return displayed_; }
    void SetRequestedStates(std::vector<int> states);
    ViewerDocument* Document() const { return document_; }

    // Save As: asks for the name, then SaveTo.
    void OnFileSaveAs();
    // Writes the document to `path`: CSV when it ends in .csv (the filter
    // position, 1-based, choosing the form), else a dBASE table.
    bool SaveTo(const QString& path, int filterIndex);
    void OnSelectColumns();
    void OnPlot();
    bool CanPlot() const;
    void OnFilePrint();
    void OnFilePrintPreview();
    // Prints every page of the list to `printer`; returns the pages printed.
    int PrintTo(QPrinter& printer);

    // The click rule of the status pane: row index + 1, 0 below the last row.
    void OnClick(int row);

signals:
    void PlotRequested(ViewerDocument* document);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    int MaxCharWidth() const;

    ViewerDocument* document_;
    CChildFrame* frame_;
    RecordTableModel* model_ = nullptr;
    std::vector<int> requested_;
    std::vector<int> displayed_;
};

}  // namespace logora::ui
