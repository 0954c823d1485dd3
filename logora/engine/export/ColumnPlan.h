#pragma once
// The per-column choices of a CSV export, made once before the record loop:
// the formatter, the nominal width, the room its text can take, and the role
// of the column in the table form.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/export/CDataFormatHelper.h"

namespace logora {

class CDBF;

struct PlannedColumn
{
    char name[11] = {};  // NUL-terminated field name
    CDataFormatHelper::ColumnFormatter format = nullptr;
    uint32_t offset = 0;  // first byte within the record
    uint32_t length = 0;  // bytes inside the record (cut to the record length)
    size_t nominalWidth = 0;
    size_t maxTextLength = 0;  // longest text the formatter can produce
    ColumnRole role = ColumnRole::Other;
    // False where the formatter writes only digits, signs, blanks and points.
    bool mayNeedQuoting = true;

    std::string_view Name() const { return name; }
};

struct ColumnPlan
{
    std::vector<PlannedColumn> columns;
    size_t nominalLineLength = 0;  // nominal widths + separators + line end
    size_t maxLineLength = 0;      // every column at its longest, quoted

    // Index of the first column with `role`, or -1.
    int Find(ColumnRole role) const;
};

// Chooses the formatters for every field of `table` (opened and its
// descriptors loaded) under the FloatLength `width` and DecimalCount
// `decimals` settings.
ColumnPlan PlanColumns(const CDBF& table, int width, int decimals);

// The columns of `plan` at the field indices `fields`, in that order (the
// viewer's shown columns); indices outside the plan are left out.
ColumnPlan ChooseColumns(const ColumnPlan& plan, const std::vector<int>& fields);

}  // namespace logora
