#include "logora/ui/listview/ListPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <string>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/ui/listview/PrintLayout.h"
#include "logora/ui/text/QtText.h"

namespace logora::ui {

namespace {

int PageHeightMillimetres(QPrinter& printer)
{
    return static_cast<int>(printer.pageRect(QPrinter::Millimeter).height());
}

// Converts a rectangle in 0.1 mm (y up from the page top) to device pixels.
QRect ToDevice(const PrintRect& r, double dotsPerTenthX, double dotsPerTenthY)
{
    return QRect(QPoint(static_cast<int>(r.left * dotsPerTenthX), static_cast<int>(-r.top * dotsPerTenthY)),
                 QPoint(static_cast<int>(r.right * dotsPerTenthX) - 1,
                        static_cast<int>(-r.bottom * dotsPerTenthY) - 1));
}

}  // namespace

QFont PrintFont(int pixelHeight)
{
    QFont font;
    font.setFamilies({"MS Sans Serif", "Sans Serif"});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    font.setPixelSize(std::max(1, pixelHeight));
    return font;
}

ListPrinter::ListPrinter(CDatReaderDoc& document, std::vector<int> fields, std::vector<int> screenWidths,
                         int screenCharWidth)
    : document_(document),
      fields_(std::move(fields)),
      screenWidths_(std::move(screenWidths)),
      screenCharWidth_(screenCharWidth)
{}

int ListPrinter::PageCountFor(QPrinter& printer, CDatReaderDoc& document)
{
    return ComputePrintPages(PageHeightMillimetres(printer), static_cast<uint32_t>(document.GetRecordCount()))
        .pageCount;
}

int ListPrinter::Print(QPrinter& printer)
{
    PrintPages pages =
        ComputePrintPages(PageHeightMillimetres(printer), static_cast<uint32_t>(document_.GetRecordCount()));
    int first = 1, last = pages.pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(pages.pageCount, printer.toPage());
    }
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    int printed = 0;
    for (int page = first; page <= last; ++page) {
        if (printed > 0) printer.newPage();
        PrintPage(painter, printer, page, pages.rowsPerPage);
        ++printed;
    }
    painter.end();
    return printed;
}

void ListPrinter::PrintPage(QPainter& painter, QPrinter& printer, int page, int rowsPerPage)
{
    double perTenthX = printer.logicalDpiX() / 254.0, perTenthY = printer.logicalDpiY() / 254.0;
    QFont font = PrintFont(static_cast<int>(kPrintLineHeight * perTenthY));
    painter.save();
    painter.setFont(font);
    QFontMetrics metrics(font, &printer);
    int printerCharWidth = static_cast<int>(metrics.maxWidth() / perTenthX);
    std::vector<int> edges = PrintColumnEdges(screenWidths_, printerCharWidth, screenCharWidth_);
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;

    QString title = ToQString(document_.GetPathName());
    QRect titleRect = ToDevice(TitleRect(static_cast<int>(title.size())), perTenthX, perTenthY);
    painter.save();
    painter.setClipRect(titleRect);
    painter.drawText(titleRect, flags, title);
    painter.restore();

    auto drawCell = [&](int line, size_t column, const QString& text) {
        QRect cell = ToDevice(LineRect(line, edges[column], edges[column + 1]), perTenthX, perTenthY);
        painter.save();
        painter.setClipRect(cell);
        painter.drawText(cell, flags, text);
        painter.restore();
    };
    for (size_t column = 0; column < fields_.size(); ++column)
        drawCell(0, column, ToQString(document_.GetField(fields_[column]).Name()));

    uint32_t firstRecord, lastRecord;
    PageRecords(page, rowsPerPage, static_cast<uint32_t>(document_.GetRecordCount()), firstRecord,
                lastRecord);
    std::string text;
    for (uint32_t record = firstRecord; record < lastRecord; ++record) {
        for (size_t column = 0; column < fields_.size(); ++column) {
            text.clear();
            document_.GetValue(record, fields_[column], text);
            drawCell(static_cast<int>(record - firstRecord) + 1, column, ToQString(text));
        }
    }
    painter.restore();
}

}  // namespace logora::ui
