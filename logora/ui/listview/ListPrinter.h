#pragma once
// Prints a record list: the document's path as title, the field names as
// header, then one record per 4 mm line, columns as wide (scaled) as on screen.
// Columns that do not fit the page width continue on following pages; or,
// fitted to the width, the whole list is scaled down onto each page.

#include <QFont>
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
    int PageCount(QPrinter& printer);
    // Prints all pages, or the printer's chosen range; returns the pages printed.
    int Print(QPrinter& printer);

private:
    struct Layout
    {
        std::vector<int> edges;
        std::vector<ColumnBand> bands;
        PrintPages pages;
        double scale = 1;
    };
    Layout ComputeLayout(QPrinter& printer) const;
    void PrintPage(QPainter& painter, QPrinter& printer, const Layout& layout, int page);

    CDatReaderDoc& document_;
    std::vector<int> fields_;
    std::vector<int> screenWidths_;
    int screenCharWidth_;
    Rows rows_;
    bool fitToWidth_ = false;
};

// The page font: 4 mm high sans serif (the old default family falls back to
// the system's sans-serif font).
QFont PrintFont(int pixelHeight);

}  // namespace logora::ui
