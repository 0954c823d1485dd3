#pragma once
// Prints a record list: the document's path as title, the field names as
// header, then one record per 4 mm line, columns as wide (scaled) as on screen.
// Columns that do not fit the page width continue on following pages; or,
// fitted to the width, the whole list is scaled down onto each page.
// A page is drawn only when asked for, so a table of any size costs the
// same memory to print or preview.

#include <QFont>
#include <QRect>
#include <cstdint>
#include <functional>
#include <vector>

#include "logora/ui/listview/PrintLayout.h"

class QPainter;
class QPrinter;

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class ListPrinter
{
public:
    // The record printed on each row (the list's order, perhaps filtered).
    struct Rows
    {
        int64_t count = 0;
        std::function<int64_t(int64_t row)> record;
    };

    // `fields` and `screenWidths`: the shown columns, left to right.
    ListPrinter(CDatReaderDoc& document, std::vector<int> fields, std::vector<int> screenWidths,
                int screenCharWidth, Rows rows);

    void SetFitToWidth(bool fit) { fitToWidth_ = fit; }
    bool FitToWidth() const { return fitToWidth_; }
    // Lays the pages out for the printer's paper; returns the page count.
    int Prepare(QPrinter& printer);
    int PageCount() const { return layout_.pages.pageCount * static_cast<int>(layout_.bands.size()); }
    // Draws `page` (1-based) of the last Prepare in the printer's device
    // pixels, the printable area's top left corner at the origin.
    void DrawPage(QPainter& painter, int page);
    // Prepares, then prints all pages, or the printer's chosen range; returns
    // the pages printed.
    int Print(QPrinter& printer);

private:
    struct Layout
    {
        std::vector<int> edges;
        std::vector<ColumnBand> bands{ColumnBand{}};
        PrintPages pages;
        double scale = 1;
        // Device pixels a tenth of a millimetre, and the printable area.
        double perTenthX = 1, perTenthY = 1;
        QRect paper;
    };

    CDatReaderDoc& document_;
    std::vector<int> fields_;
    std::vector<int> screenWidths_;
    int screenCharWidth_;
    Rows rows_;
    bool fitToWidth_ = false;
    Layout layout_;
};

// The page font: 4 mm high sans serif (the old default family falls back to
// the system's sans-serif font).
QFont PrintFont(int pixelHeight);

}  // namespace logora::ui
