#include "logora/engine/export/ColumnPlan.h"

#include <algorithm>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/FixedFormat.h"

namespace logora {

namespace {

// Longest text of a date formatter: a short date shorter than the capacity,
// or the fallback form of numbers scanned from at most 8 characters.
constexpr size_t kMaxDateText = 16;
constexpr size_t kMaxTimeOfDayText = 9;

void AddColumn(ColumnPlan& plan, const PlannedColumn& column)
{
    plan.nominalLineLength += column.nominalWidth + 1;
    // Quoting can double every byte and adds two quotes.
    plan.maxLineLength += 2 * column.maxTextLength + 2 + 1;
    plan.columns.push_back(column);
}

// The line end.
void EndLine(ColumnPlan& plan)
{
    plan.nominalLineLength += 2;
    plan.maxLineLength += 2;
}

}  // namespace

int ColumnPlan::Find(ColumnRole role) const
{
    for (size_t i = 0; i < columns.size(); ++i)
        if (columns[i].role == role) return static_cast<int>(i);
    return -1;
}

ColumnPlan PlanColumns(const CDBF& table, int width, int decimals)
{
    using Helper = CDataFormatHelper;
    ColumnPlan plan;
    uint32_t recordLength = table.GetRecordLength();
    for (int i = 0; i < table.GetFieldCount(); ++i) {
        DBFField field = table.GetField(i);
        PlannedColumn column;
        std::string_view name = field.Name();
        std::copy_n(name.data(), std::min(name.size(), sizeof column.name - 1), column.name);
        column.offset = std::min(field.displacement, recordLength);
        column.length = std::min<uint32_t>(field.length, recordLength - column.offset);
        const ColumnKind kind = KindOfColumn(field);
        column.role = kind.role;
        switch (kind.encoding) {
            case ColumnEncoding::RawDouble:
                column.format = Helper::FormatValueColumn;
                column.nominalWidth = static_cast<size_t>(std::max(width, 0));
                column.maxTextLength = FixedTextRoom(width, decimals);
                column.mayNeedQuoting = false;
                break;
            case ColumnEncoding::RawInteger:
                column.format = Helper::FormatInternalColumn;
                column.nominalWidth = 10;
                column.maxTextLength = 11;  // "%10d" of the smallest int32
                column.mayNeedQuoting = false;
                break;
            case ColumnEncoding::OleDateTime:
                column.format = Helper::FormatTimestampColumn;
                column.nominalWidth = 19;
                column.maxTextLength = Helper::kTimestampCapacity + kMaxDateText + kMaxTimeOfDayText;
                break;
            case ColumnEncoding::DbfDate:
                column.format = Helper::FormatDateColumn;
                column.nominalWidth = 10;
                column.maxTextLength = std::max(Helper::kCsvDateCapacity, kMaxDateText);
                break;
            case ColumnEncoding::Text:
                column.format = Helper::FormatTextColumn;
                column.nominalWidth = column.maxTextLength = field.length;
                break;
        }
        if (column.length < field.length && column.format != Helper::FormatTextColumn &&
            column.format != Helper::FormatDateColumn && column.format != Helper::FormatTimestampColumn) {
            // A binary column cut short by a record length that is too small
            // is shown as the text it holds instead.
            column.format = Helper::FormatTextColumn;
            column.maxTextLength = field.length;
            column.role = ColumnRole::Other;
            column.mayNeedQuoting = true;
        }
        AddColumn(plan, column);
    }
    EndLine(plan);
    return plan;
}

ColumnPlan ChooseColumns(const ColumnPlan& plan, const std::vector<int>& fields)
{
    ColumnPlan chosen;
    for (int field : fields)
        if (field >= 0 && static_cast<size_t>(field) < plan.columns.size())
            AddColumn(chosen, plan.columns[static_cast<size_t>(field)]);
    EndLine(chosen);
    return chosen;
}

}  // namespace logora
