#include "logora/ui/records/FilterText.h"

#include "logora/ui/records/CellMatch.h"
#include "logora/ui/records/RecordCells.h"

namespace logora::ui {

namespace {

constexpr std::string_view kRangeMark = "..";

}  // namespace

bool ParseFilterText(const RecordCells& cells, int field, std::string_view typed, ColumnFilter& filter)
{
    ColumnFilter parsed;
    parsed.field = field;
    size_t mark = typed.find(kRangeMark);
    if (mark == std::string_view::npos || !cells.IsNumeric(field)) {
        parsed.contains = typed;
        filter = std::move(parsed);
        return true;
    }
    parsed.fromText = Trimmed(typed.substr(0, mark));
    parsed.toText = Trimmed(typed.substr(mark + kRangeMark.size()));
    for (auto [text, bound] :
         {std::pair{&parsed.fromText, &parsed.from}, std::pair{&parsed.toText, &parsed.to}}) {
        if (text->empty()) continue;
        *bound = ParseFieldValue(cells, field, *text);
        if (!*bound) return false;
    }
    filter = std::move(parsed);
    return true;
}

std::string FilterText(const ColumnFilter& filter)
{
    if (filter.from || filter.to) return filter.fromText + std::string(kRangeMark) + filter.toText;
    return filter.contains;
}

bool HasCondition(const ColumnFilter& filter)
{
    return !filter.contains.empty() || filter.from || filter.to;
}

}  // namespace logora::ui
