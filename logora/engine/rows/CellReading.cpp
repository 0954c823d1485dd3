#include "logora/engine/rows/CellReading.h"

#include <charconv>
#include <cmath>

#include "common/text/AsciiCase.h"
#include "logora/engine/alarm/LocalTimeText.h"
#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/TableFormTags.h"
#include "logora/engine/rows/DateTextReading.h"

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

// The alarm tables keep their times as the text of a local date and time.
bool IsAlarmTimeText(const DBFField& field)
{
    return field.type == 'C' && (common::EqualsIgnoringAsciiCase(field.Name(), "TimeOn") ||
                                 common::EqualsIgnoringAsciiCase(field.Name(), "TimeAck"));
}

}  // namespace

size_t DateTextCapacity()
{
    return LocalTimeText::kCapacity;
}

TypedColumn TypedColumnOf(const PlannedColumn& planned, const DBFField& field, int decimalCount,
                          std::string name)
{
    TypedColumn typed;
    RowColumn& column = typed.column;
    column.name = std::move(name);
    column.role = planned.role;
    using Helper = CDataFormatHelper;
    auto take = [&](CellKind kind, CellRule rule, int decimals) {
        column.kind = kind;
        column.decimals = decimals < 0 ? 0 : decimals;
        typed.rule = rule;
    };
    if (planned.format == Helper::FormatValueColumn) {
        take(CellKind::Number, CellRule::Number, decimalCount);
    } else if (planned.format == Helper::FormatInternalColumn) {
        take(CellKind::Integer, CellRule::Integer, 0);
    } else if (planned.format == Helper::FormatTimestampColumn) {
        take(CellKind::DateTime, CellRule::OleDateTime, 0);
    } else if (planned.format == Helper::FormatDateColumn) {
        take(CellKind::Date, CellRule::DbfDate, 0);
    } else if (planned.role == ColumnRole::Time) {
        take(CellKind::Time, CellRule::TimeOfDay, 0);
    } else if (IsAlarmTimeText(field)) {
        take(CellKind::DateTime, CellRule::DateTimeText, 0);
    } else if (IsNumericField(field.type) && field.decimals == 0) {
        take(CellKind::Integer, CellRule::Integer, 0);
    } else if (IsNumericField(field.type)) {
        take(CellKind::Number, CellRule::Number, field.decimals);
    }
    return typed;
}

void ReadCell(CellRule rule, const std::string& text, const uint8_t* raw, size_t rawLength,
              DateTextReader* dates, RowCell& cell)
{
    cell.text = text;
    if (rule == CellRule::Text) {
        cell.empty = text.empty();
        return;
    }
    const std::string_view value = WithoutBlanks(text);
    cell.text = value;
    bool read = false;
    switch (rule) {
        case CellRule::Number:
            read = ReadNumber(value, cell.number);
            break;
        case CellRule::Integer:
            read = ReadInteger(value, cell.integer);
            break;
        case CellRule::DbfDate:
            read = ReadDbfDate(raw, rawLength, cell.when);
            break;
        case CellRule::TimeOfDay:
            read = ReadTimeOfDay(value, cell.when);
            break;
        case CellRule::OleDateTime:
            read = ReadOleDateTime(raw, rawLength, cell.when);
            break;
        case CellRule::DateTimeText:
            read = dates != nullptr && dates->Read(value, cell.when);
            break;
        case CellRule::Text:
            break;
    }
    cell.empty = !read;
}

}  // namespace logora
