#pragma once
// Print Preview of a record list: one page at a time, drawn only when it is
// shown, so the page count is known at once and a preview of any table costs
// no more memory than one of a few records. Pages are turned with the tool bar, the
// page number, Page Up/Down, Home/End and the mouse wheel.

#include <QDialog>

#include "logora/ui/listview/ListPrinter.h"

class QLabel;
class QPrinter;
class QScrollArea;
class QSpinBox;

namespace logora::ui {

class ListPreview : public QDialog
{
    Q_OBJECT
public:
    ListPreview(ListPrinter pages, QPrinter& printer, QWidget* parent = nullptr);

    int PageCount() const { return pages_.PageCount(); }
    int CurrentPage() const { return page_; }
    void ShowPage(int page);
    // Turns the paper and scales the list to its width, or back.
    void SetFitToWidth(bool fit);
    // Pages drawn since the preview opened.
    int PagesDrawn() const { return pagesDrawn_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class PageArea;

    void Zoom(double factor);
    // Lays the pages out afresh, for other paper.
    void Relayout();
    void UpdatePageArea();
    // Pixels of the shown page at the current zoom.
    QSize ShownPageSize() const;
    void PaintPage(QPainter& painter, const QRect& area);
    void Print();

    ListPrinter pages_;
    QPrinter& printer_;
    int page_ = 1;
    double zoom_ = 1;
    QScrollArea* scroll_;
    PageArea* area_;
    QSpinBox* pageNumber_;
    QLabel* pageCount_;
    int drawnPage_ = 0;
    int pagesDrawn_ = 0;
};

}  // namespace logora::ui
