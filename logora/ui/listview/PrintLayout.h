#pragma once
// Page layout of a printed record list, in units of 0.1 mm with y growing
// upward from the page's top edge (lines run at negative y): a title line,
// a header line, then one record per 4 mm line.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logora::ui {

inline constexpr int kPrintLineHeight = 40;  // 4 mm
inline constexpr int kPrintLeft = 40;

// A print of more pages than this asks which of them are meant: the print
// dialog opens with the first of them as its range, and printing more of
// them is confirmed.
inline constexpr int kPrintPagesWithoutAsking = 300;

struct PrintPages
{
    int rowsPerPage = 0;
    int pageCount = 1;
};

// Rows per page = (10 x page height in mm - 80) / 40; page count = records /
// rows + 1, so an exact multiple ends with a page of title and header only.
PrintPages ComputePrintPages(int pageHeightMillimetres, uint32_t recordCount);

struct PrintRect
{
    int left, top, right, bottom;  // top > bottom: y grows upward
};

PrintRect TitleRect(int titleCharacters);
// Line j of the page: 0 is the header, record k of the page is on line k + 1.
PrintRect LineRect(int line, int left, int right);

// Column edges: x0 = 40, then each visible column's screen width plus 10,
// times scale = (printer glyph width + 10) / screen glyph width.
std::vector<int> PrintColumnEdges(const std::vector<int>& screenWidths, int printerCharWidth,
                                  int screenCharWidth);

// Columns [first, last) printed side by side on one page, moved left by
// `shift` so the first starts at the left margin.
struct ColumnBand
{
    size_t first = 0, last = 0;
    int shift = 0;
};

// Splits the columns at `edges` (PrintColumnEdges) into bands that each fit
// `pageWidth` (0.1 mm): columns that do not fit continue on following pages.
// A column wider than the page alone is a band of its own, cut at the edge.
std::vector<ColumnBand> ColumnBands(const std::vector<int>& edges, int pageWidth);

// Records [first, last) printed on `page` (1-based).
void PageRecords(int page, int rowsPerPage, uint32_t recordCount, uint32_t& first, uint32_t& last);

}  // namespace logora::ui
