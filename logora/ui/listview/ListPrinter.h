#pragma once
// Prints a record list: the document's path as title, the field names as
// header, then one record per 4 mm line, columns as wide (scaled) as on screen.

#include <QFont>
#include <vector>

class QPainter;
class QPrinter;

namespace logora {
class CDatReaderDoc;
}

namespace logora::ui {

class ListPrinter
{
public:
    // `fields` and `screenWidths`: the shown columns, left to right.
    ListPrinter(CDatReaderDoc& document, std::vector<int> fields, std::vector<int> screenWidths,
                int screenCharWidth);

    static int PageCountFor(QPrinter& printer, CDatReaderDoc& document);
    // Prints all pages, or the printer's chosen range; returns the pages printed.
    int Print(QPrinter& printer);

private:
    void PrintPage(QPainter& painter, QPrinter& printer, int page, int rowsPerPage);

    CDatReaderDoc& document_;
    std::vector<int> fields_;
    std::vector<int> screenWidths_;
    int screenCharWidth_;
};

// The page font: 4 mm high sans serif (the old default family falls back to
// the system's sans-serif font).
QFont PrintFont(int pixelHeight);

}  // namespace logora::ui
