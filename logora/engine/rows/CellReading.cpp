#include "logora/engine/rows/CellReading.h"

#include <charconv>
#include <cmath>

#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/TableFormTags.h"

namespace logora {

namespace {

bool IsNumericField(char type)
{
    return type == 'N' || type == 'F';
}

bool ReadNumber(std::string_view text, double& number)
{
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, number);
    return read.ec == std::errc() && read.ptr == end && std::isfinite(number);
}

bool ReadInteger(std::string_view text, int64_t& integer)
{
    // A sign the CSV may show is no part of from_chars' grammar for "+".
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const char* end = text.data() + text.size();
    const std::from_chars_result read = std::from_chars(text.data(), end, integer);
    return read.ec == std::errc() && read.ptr == end;
}

// "YYYYMMDD" as the dBASE date field holds it.
bool ReadDbfDate(const uint8_t* raw, size_t length, CivilTime& when)
{
    if (length < 8) return false;
    int parts[3] = {};
    const int widths[3] = {4, 2, 2};
    size_t at = 0;
    for (int part = 0; part < 3; ++part) {
        for (int digit = 0; digit < widths[part]; ++digit, ++at) {
            if (raw[at] < '0' || raw[at] > '9') return false;
            parts[part] = parts[part] * 10 + (raw[at] - '0');
        }
    }
    if (!IsValidDate(parts[0], parts[1], parts[2])) return false;
    when = CivilTime{parts[0], parts[1], parts[2], 0, 0, 0, 0};
    return true;
}

// "HH:MM:SS", as the datalogs' time column holds it.
bool ReadTimeOfDay(std::string_view text, CivilTime& when)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':') return false;
    int parts[3] = {};
    for (int part = 0; part < 3; ++part) {
        const char high = text[size_t(part) * 3];
        const char low = text[size_t(part) * 3 + 1];
        if (high < '0' || high > '9' || low < '0' || low > '9') return false;
        parts[part] = (high - '0') * 10 + (low - '0');
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return false;
    when = CivilTime{0, 0, 0, parts[0], parts[1], parts[2], 0};
    return true;
}

bool ReadOleDateTime(const uint8_t* raw, size_t length, CivilTime& when)
{
    CalendarParts parts;
    if (!OleDateToParts(ReadDecimal(raw, length), parts)) return false;
    when = CivilTime{parts.year, parts.month, parts.day, parts.hour, parts.minute, parts.second, 0};
    return true;
}

}  // namespace

RowColumn TypedColumnOf(const PlannedColumn& planned, const DBFField& field, int decimalCount,
                        std::string name)
{
    RowColumn column;
    column.name = std::move(name);
    column.role = planned.role;
    using Helper = CDataFormatHelper;
    if (planned.format == Helper::FormatValueColumn) {
        column.kind = CellKind::Number;
        column.decimals = decimalCount < 0 ? 0 : decimalCount;
    } else if (planned.format == Helper::FormatInternalColumn) {
        column.kind = CellKind::Integer;
    } else if (planned.format == Helper::FormatTimestampColumn) {
        column.kind = CellKind::DateTime;
    } else if (planned.format == Helper::FormatDateColumn) {
        column.kind = CellKind::Date;
    } else if (planned.role == ColumnRole::Time) {
        column.kind = CellKind::Time;
    } else if (IsNumericField(field.type)) {
        column.kind = field.decimals == 0 ? CellKind::Integer : CellKind::Number;
        column.decimals = field.decimals;
    }
    return column;
}

void ReadCell(CellKind kind, const std::string& text, const uint8_t* raw, size_t rawLength, RowCell& cell)
{
    cell.text = text;
    if (kind == CellKind::Text) {
        cell.empty = text.empty();
        return;
    }
    const std::string_view value = WithoutBlanks(text);
    cell.text = value;
    bool read = false;
    switch (kind) {
        case CellKind::Number:
            read = ReadNumber(value, cell.number);
            break;
        case CellKind::Integer:
            read = ReadInteger(value, cell.integer);
            break;
        case CellKind::Date:
            read = ReadDbfDate(raw, rawLength, cell.when);
            break;
        case CellKind::Time:
            read = ReadTimeOfDay(value, cell.when);
            break;
        case CellKind::DateTime:
            read = ReadOleDateTime(raw, rawLength, cell.when);
            break;
        case CellKind::Text:
            break;
    }
    cell.empty = !read;
}

}  // namespace logora
