#include "logora/ui/records/CopyText.h"

#include <algorithm>
#include <cstdio>

#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"
#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/RowOrder.h"

namespace logora::ui {

namespace {

std::string HeaderLine(const std::vector<std::string>& names)
{
    std::string line;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) line += '\t';
        AppendCell(line, names[i]);
    }
    line += '\n';
    return line;
}

void BuildLine(RecordCells& cells, int64_t record, const std::vector<int>& fields, std::string& line,
               std::string& cell)
{
    line.clear();
    const uint8_t* bytes = cells.Read(record);
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += '\t';
        cell.clear();
        if (bytes) cells.Text(bytes, fields[i], cell);
        AppendCell(line, cell);
    }
    line += '\n';
}

}  // namespace

void AppendCell(std::string& out, const std::string& cell)
{
    size_t at = out.size();
    out += cell;
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(at), out.end(),
        [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
}

std::string_view AsUtf8(const std::string& line, int codePage, std::string& utf8)
{
    bool ascii = std::all_of(line.begin(), line.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii || codePage == kCodePageUtf8) return line;
    utf8 = Utf16ToUtf8(ToUtf16(line, codePage));
    return utf8;
}

CopyRoute RouteOfCopy(uint64_t bytes)
{
    if (bytes > kClipboardLimit) return CopyRoute::SaveInstead;
    return bytes > kCopyWithoutAsking ? CopyRoute::AskFirst : CopyRoute::Copy;
}

CopyJob::CopyJob(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                 std::vector<int> fields, const std::vector<std::string>& names, Sink sink)
    : cells_(cells),
      order_(order),
      ranges_(selection.Ranges()),
      fields_(std::move(fields)),
      sink_(std::move(sink)),
      total_(selection.Count())
{
    if (!ranges_.empty()) row_ = ranges_.front().first;
    line_ = HeaderLine(names);
    sink_(AsUtf8(line_, cells_.CodePage(), utf8_));
}

bool CopyJob::Step(int64_t records)
{
    for (int64_t n = 0; n < records && range_ < ranges_.size(); ++n) {
        BuildLine(cells_, order_.RecordAt(row_), fields_, line_, cell_);
        sink_(AsUtf8(line_, cells_.CodePage(), utf8_));
        ++done_;
        if (++row_ > ranges_[range_].second && ++range_ < ranges_.size()) row_ = ranges_[range_].first;
    }
    return range_ >= ranges_.size();
}

double CopyJob::Fraction() const
{
    return total_ <= 0 ? 1.0 : static_cast<double>(done_) / static_cast<double>(total_);
}

std::string CopyText(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                     const std::vector<int>& fields, const std::vector<std::string>& names)
{
    std::string out;
    CopyJob(cells, order, selection, fields, names, [&out](std::string_view utf8) {
        out += utf8;
    }).RunToEnd();
    return out;
}

uint64_t EstimateCopyBytes(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                           const std::vector<int>& fields, const std::vector<std::string>& names,
                           int64_t samples)
{
    std::string line, cell, utf8;
    line = HeaderLine(names);
    const uint64_t header = AsUtf8(line, cells.CodePage(), utf8).size();
    const int64_t rows = selection.Count();
    const int64_t taken = std::min(rows, std::max<int64_t>(samples, 1));
    if (taken == 0) return header;
    // Sample i is the (i * rows / taken)-th selected row.
    uint64_t sampled = 0;
    int64_t before = 0;  // selected rows in the ranges passed
    auto range = selection.Ranges().begin();
    for (int64_t i = 0; i < taken; ++i) {
        int64_t nth = i * rows / taken;
        while (nth >= before + (range->second - range->first + 1)) {
            before += range->second - range->first + 1;
            ++range;
        }
        BuildLine(cells, order.RecordAt(range->first + (nth - before)), fields, line, cell);
        sampled += AsUtf8(line, cells.CodePage(), utf8).size();
    }
    return header + static_cast<uint64_t>(static_cast<double>(sampled) / static_cast<double>(taken) *
                                          static_cast<double>(rows));
}

std::string ApproximateSize(uint64_t bytes)
{
    char text[32];
    if (bytes < 1000)
        std::snprintf(text, sizeof text, "%u bytes", static_cast<unsigned>(bytes));
    else if (bytes < 999'500)
        std::snprintf(text, sizeof text, "about %u kB", static_cast<unsigned>((bytes + 500) / 1000));
    else if (bytes < 999'500'000)
        std::snprintf(text, sizeof text, "about %u MB", static_cast<unsigned>((bytes + 500'000) / 1'000'000));
    else
        std::snprintf(text, sizeof text, "about %.1f GB", static_cast<double>(bytes) / 1e9);
    return text;
}

std::vector<uint32_t> SelectedRecords(const RowOrder& order, const RowSelection& selection)
{
    std::vector<uint32_t> records;
    records.reserve(static_cast<size_t>(selection.Count()));
    for (const auto& [first, last] : selection.Ranges())
        for (int64_t row = first; row <= last; ++row)
            records.push_back(static_cast<uint32_t>(order.RecordAt(row)));
    return records;
}

}  // namespace logora::ui
