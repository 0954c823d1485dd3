#include "logora/ui/listview/PrintLayout.h"

#include <algorithm>

namespace logora::ui {

PrintPages ComputePrintPages(int pageHeightMillimetres, uint32_t recordCount)
{
    PrintPages pages;
    // A page too short for any record still prints title and header; one
    // record per page keeps the page count finite.
    pages.rowsPerPage = std::max(1, (10 * pageHeightMillimetres - 80) / kPrintLineHeight);
    pages.pageCount = static_cast<int>(recordCount / static_cast<uint32_t>(pages.rowsPerPage) + 1);
    return pages;
}

PrintRect TitleRect(int titleCharacters)
{
    return {kPrintLeft, 0, titleCharacters * kPrintLineHeight, -kPrintLineHeight};
}

PrintRect LineRect(int line, int left, int right)
{
    return {left, -kPrintLineHeight - kPrintLineHeight * line, right,
            -2 * kPrintLineHeight - kPrintLineHeight * line};
}

std::vector<int> PrintColumnEdges(const std::vector<int>& screenWidths, int printerCharWidth,
                                  int screenCharWidth)
{
    float scale =
        static_cast<float>(printerCharWidth + 10) / static_cast<float>(std::max(1, screenCharWidth));
    std::vector<int> edges{kPrintLeft};
    for (int width : screenWidths) edges.push_back(edges.back() + static_cast<int>((width + 10) * scale));
    return edges;
}

std::vector<ColumnBand> ColumnBands(const std::vector<int>& edges, int pageWidth)
{
    size_t columns = edges.empty() ? 0 : edges.size() - 1;
    std::vector<ColumnBand> bands;
    size_t first = 0;
    do {
        ColumnBand band{first, first, edges.empty() ? 0 : edges[first] - kPrintLeft};
        while (band.last < columns && edges[band.last + 1] - band.shift <= pageWidth) ++band.last;
        if (band.last == first && first < columns) ++band.last;
        bands.push_back(band);
        first = band.last;
    } while (first < columns);
    return bands;
}

void PageRecords(int page, int rowsPerPage, uint32_t recordCount, uint32_t& first, uint32_t& last)
{
    uint64_t start = static_cast<uint64_t>(page - 1) * static_cast<uint64_t>(rowsPerPage);
    uint64_t end =
        std::min<uint64_t>(static_cast<uint64_t>(page) * static_cast<uint64_t>(rowsPerPage), recordCount);
    first = static_cast<uint32_t>(std::min<uint64_t>(start, recordCount));
    last = static_cast<uint32_t>(std::max<uint64_t>(end, first));
}

}  // namespace logora::ui
