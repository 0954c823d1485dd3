#include "logora/engine/rows/RowColumns.h"

#include <algorithm>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/Utf8.h"

namespace logora {

namespace {

bool IsAscii(const char* bytes, size_t length)
{
    return std::all_of(bytes, bytes + length, [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

RowColumns::RowColumns(const CDBF& table, int floatLength, int decimalCount, int codePage,
                       const std::vector<int>* choice)
    : plan(PlanColumns(table, floatLength, decimalCount)),
      floatLength(floatLength),
      decimalCount(decimalCount),
      codePage(codePage)
{
    std::vector<int> fields;  // the table's field of each column of the plan
    if (choice) {
        plan = ChooseColumns(plan, *choice);
        for (int field : *choice)
            if (field >= 0 && field < table.GetFieldCount()) fields.push_back(field);
    } else {
        for (int field = 0; field < table.GetFieldCount(); ++field) fields.push_back(field);
    }
    for (size_t i = 0; i < plan.columns.size(); ++i) {
        const PlannedColumn& planned = plan.columns[i];
        longestText = std::max(longestText, planned.maxTextLength);
        typed.push_back(TypedColumnOf(planned, table.GetField(fields[i]), decimalCount,
                                      Decoded(planned.name, std::string_view(planned.name).size())));
    }
    dateColumn = plan.Find(ColumnRole::Date);
    timeColumn = plan.Find(ColumnRole::Time);
    millitmColumn = plan.Find(ColumnRole::Millitm);
    hasTimeStamp = dateColumn >= 0 && timeColumn >= 0 &&
                   typed[size_t(dateColumn)].rule == CellRule::DbfDate &&
                   typed[size_t(timeColumn)].rule == CellRule::TimeOfDay;
}

void RowColumns::Decode(const char* bytes, size_t length, std::string& text) const
{
    if (codePage == kCodePageUtf8 || IsAscii(bytes, length)) {
        text.assign(bytes, length);
        return;
    }
    text = Utf16ToUtf8(ToUtf16(std::string_view(bytes, length), codePage));
}

std::string RowColumns::Decoded(const char* bytes, size_t length) const
{
    std::string text;
    Decode(bytes, length, text);
    return text;
}

}  // namespace logora
