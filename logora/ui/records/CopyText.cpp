#include "logora/ui/records/CopyText.h"

#include <algorithm>

#include "logora/ui/records/RecordCells.h"
#include "logora/ui/records/RowOrder.h"
#include "logora/ui/records/RowSelection.h"

namespace logora::ui {

namespace {

void AppendCell(std::string& out, const std::string& cell)
{
    size_t at = out.size();
    out += cell;
    std::replace_if(
        out.begin() + static_cast<std::ptrdiff_t>(at), out.end(),
        [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
}

}  // namespace

std::string CopyText(RecordCells& cells, const RowOrder& order, const RowSelection& selection,
                     const std::vector<int>& fields, const std::vector<std::string>& names)
{
    std::string out;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0) out += '\t';
        AppendCell(out, names[i]);
    }
    out += '\n';
    std::string text;
    for (const auto& [first, last] : selection.Ranges()) {
        for (int64_t row = first; row <= last; ++row) {
            const uint8_t* record = cells.Read(order.RecordAt(row));
            for (size_t i = 0; i < fields.size(); ++i) {
                if (i > 0) out += '\t';
                text.clear();
                if (record) cells.Text(record, fields[i], text);
                AppendCell(out, text);
            }
            out += '\n';
        }
    }
    return out;
}

}  // namespace logora::ui
