#include "logora/engine/workbook/ColumnFormats.h"

#include <algorithm>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/DateNumberFormat.h"

namespace logora {

namespace {

constexpr const char* kTimeOfDay = "hh:mm:ss";
// Excel's own limit of digits after the point in a number format.
constexpr int kMaxDecimals = 30;
// Excel's default column width.
constexpr double kDefaultWidth = 8.43;
// Room for the integer digits and sign of a number beside its decimals.
constexpr size_t kIntegerDigits = 8;

}  // namespace

DateFormats UserDateFormats()
{
    return DateFormats{DateNumberFormat(CDataFormatHelper::kCsvDateCapacity),
                       DateNumberFormat(CDataFormatHelper::kTimestampCapacity) + " " + kTimeOfDay};
}

std::string NumberFormatOf(const RowColumn& column, const DateFormats& dates)
{
    switch (column.kind) {
        case CellKind::Number: {
            const int decimals = std::clamp(column.decimals, 0, kMaxDecimals);
            return decimals == 0 ? "0" : "0." + std::string(size_t(decimals), '0');
        }
        case CellKind::Integer:
            return "0";
        case CellKind::Date:
            return dates.date;
        case CellKind::Time:
            return kTimeOfDay;
        case CellKind::DateTime:
            return dates.dateTime;
        case CellKind::Text:
            break;
    }
    return {};
}

double ColumnWidth(const RowColumn& column, const std::string& numberFormat)
{
    // An escaped date format is a little longer than the text it shows,
    // which leaves the margin Excel needs.
    size_t cells = numberFormat.size();
    if (column.kind == CellKind::Number || column.kind == CellKind::Integer) cells += kIntegerDigits;
    const size_t longest = std::max(column.name.size(), cells) + 2;
    return std::max(kDefaultWidth, double(longest));
}

}  // namespace logora
