#pragma once
// The record list of a document: one row per record, one column per shown
// field. It holds no rows: only the record count is known, and each visible
// cell is asked of the document as it is painted, so a table of any size
// costs the same memory. Owns Save As, Plot, Select Columns, Print and Print
// Preview of its window.

#include <QAbstractScrollArea>
#include <cstdint>
#include <vector>

class QHeaderView;
class QPrinter;

namespace logora::ui {

class CChildFrame;
class RecordTableModel;
class ViewerDocument;

class CDatReaderView : public QAbstractScrollArea
{
    Q_OBJECT
public:
    CDatReaderView(ViewerDocument* document, CChildFrame* frame);

    void OnInitialUpdate();
    void RefreshColumns();
    int MapColumnToField(int column) const;

    void SetRequestedStates(std::vector<int> states);
    ViewerDocument* Document() const { return document_; }

    // What the list shows: columns, their headings and cell texts.
    int ColumnCount() const;
    QString HeaderText(int column) const;
    QString CellText(int64_t record, int column) const;
    int ColumnWidth(int column) const;

    // Scrolling and the selected record (-1 when none).
    int64_t RecordCount() const { return records_; }
    int64_t FirstVisibleRecord() const;
    int VisibleRows() const;
    void ScrollToRecord(int64_t record);
    int64_t SelectedRecord() const { return selected_; }
    void SelectRecord(int64_t record);
    // The record at a point of the viewport, -1 below the last one.
    int64_t RecordAt(const QPoint& point) const;

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
    void OnClick(int64_t row);

signals:
    void PlotRequested(ViewerDocument* document);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int MaxCharWidth() const;
    int RowHeight() const;
    void UpdateScrollRanges();
    void LayoutHeader();

    ViewerDocument* document_;
    CChildFrame* frame_;
    RecordTableModel* model_ = nullptr;
    QHeaderView* header_ = nullptr;
    std::vector<int> requested_;
    std::vector<int> displayed_;
    int64_t records_ = 0;
    int64_t selected_ = -1;
    bool showGrid_ = false;
};

}  // namespace logora::ui
