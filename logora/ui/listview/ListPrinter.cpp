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
                         int screenCharWidth, Rows rows)
    : document_(document),
      fields_(std::move(fields)),
      screenWidths_(std::move(screenWidths)),
      screenCharWidth_(screenCharWidth),
      rows_(std::move(rows))
{}

int ListPrinter::Prepare(QPrinter& printer)
{
    Layout layout;
    layout.perTenthX = printer.logicalDpiX() / 254.0;
    layout.perTenthY = printer.logicalDpiY() / 254.0;
    layout.paper = QRect(0, 0, printer.width(), printer.height());
    QFontMetrics metrics(PrintFont(static_cast<int>(kPrintLineHeight * layout.perTenthY)), &printer);
    int printerCharWidth = static_cast<int>(metrics.maxWidth() / layout.perTenthX);
    layout.edges = PrintColumnEdges(screenWidths_, printerCharWidth, screenCharWidth_);
    int pageWidth = static_cast<int>(printer.pageRect(QPrinter::Millimeter).width() * 10);
    int pageHeight = PageHeightMillimetres(printer);
    if (fitToWidth_) {
        layout.scale = std::min(1.0, pageWidth / static_cast<double>(layout.edges.back() + kPrintLeft));
        pageHeight = static_cast<int>(pageHeight / layout.scale);
        layout.bands = {ColumnBand{0, fields_.size(), 0}};
    } else {
        layout.bands = ColumnBands(layout.edges, pageWidth);
    }
    layout.pages = ComputePrintPages(pageHeight, static_cast<uint32_t>(rows_.count));
    layout_ = std::move(layout);
    return PageCount();
}

int ListPrinter::Print(QPrinter& printer)
{
    int pageCount = Prepare(printer);
    int first = 1, last = pageCount;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::max(1, printer.fromPage());
        last = std::min(pageCount, printer.toPage());
    }
    QPainter painter;
    if (!painter.begin(&printer)) return 0;
    int printed = 0;
    for (int page = first; page <= last; ++page) {
        if (printed > 0) printer.newPage();
        DrawPage(painter, page);
        ++printed;
    }
    painter.end();
    return printed;
}

void ListPrinter::DrawPage(QPainter& painter, int page)
{
    const Layout& layout = layout_;
    // Pages run down the records first; each band of columns repeats them.
    int bandCount = static_cast<int>(layout.bands.size());
    int recordPage = (page - 1) / bandCount + 1;
    const ColumnBand& band = layout.bands[static_cast<size_t>((page - 1) % bandCount)];
    const double perTenthX = layout.perTenthX, perTenthY = layout.perTenthY;
    QFont font = PrintFont(static_cast<int>(kPrintLineHeight * perTenthY));
    painter.save();
    painter.scale(layout.scale, layout.scale);
    painter.setFont(font);
    // Nothing is drawn beyond the paper's printable width.
    QRect paper(0, 0, static_cast<int>(layout.paper.width() / layout.scale),
                static_cast<int>(layout.paper.height() / layout.scale));
    constexpr int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine;
    auto drawClipped = [&](const QRect& rect, const QString& text) {
        painter.save();
        painter.setClipRect(rect & paper);
        painter.drawText(rect, flags, text);
        painter.restore();
    };

    QString title = ToQString(document_.GetPathName());
    drawClipped(ToDevice(TitleRect(static_cast<int>(title.size())), perTenthX, perTenthY), title);

    auto cellRect = [&](int line, size_t column) {
        return ToDevice(
            LineRect(line, layout.edges[column] - band.shift, layout.edges[column + 1] - band.shift),
            perTenthX, perTenthY);
    };
    for (size_t column = band.first; column < band.last; ++column)
        drawClipped(cellRect(0, column), ToQString(document_.GetField(fields_[column]).Name()));

    uint32_t firstRow, lastRow;
    PageRecords(recordPage, layout.pages.rowsPerPage, static_cast<uint32_t>(rows_.count), firstRow, lastRow);
    std::string text;
    for (uint32_t row = firstRow; row < lastRow; ++row) {
        int64_t record = rows_.record(row);
        for (size_t column = band.first; column < band.last; ++column) {
            text.clear();
            document_.GetValue(record, fields_[column], text);
            drawClipped(cellRect(static_cast<int>(row - firstRow) + 1, column), ToQString(text));
        }
    }
    painter.restore();
}

}  // namespace logora::ui
