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

std::string_view TableFormState::KeyText(const uint8_t* record, ColumnTexts& texts)
{
    const ColumnPlan& plan = texts.Plan();
    size_t length = 0;
    for (size_t column = 0; column < plan.columns.size(); ++column) {
        if (!IsKeyColumn(plan.columns[column].role)) continue;
        length += texts.Format(column, record, key.get() + length);
        key[length++] = ',';
    }
    return {key.get(), length};
}

}  // namespace logora
