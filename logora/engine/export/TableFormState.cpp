#include "logora/engine/export/TableFormState.h"

#include <algorithm>

namespace logora {

namespace {

size_t KeyRoom(const ColumnPlan& plan)
{
    size_t room = 0;
    for (const PlannedColumn& column : plan.columns)
        if (IsKeyColumn(column.role)) room += column.maxTextLength + 1;
    return room;
}

}  // namespace

TableFormState::TableFormState(const ColumnPlan& plan, const std::vector<std::string>& tagList, int codePage)
    : quoting(codePage),
      tagColumn(static_cast<size_t>(plan.Find(ColumnRole::Tag))),
      valueColumn(static_cast<size_t>(plan.Find(ColumnRole::Value))),
      tags(tagList, plan.columns[tagColumn].length),
      maxKeyLength(KeyRoom(plan)),
      line(tagList.size(), maxKeyLength, 2 * plan.columns[valueColumn].maxTextLength + 2),
      key(new char[maxKeyLength + 1]),
      text(new char[std::max(plan.columns[tagColumn].maxTextLength, plan.columns[valueColumn].maxTextLength) +
                    1])
{}

}  // namespace logora
