#include "logora/engine/export/CDataFormatHelper.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/dbf/FixedFormat.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/RawValues.h"
#include "logora/engine/export/ShortDate.h"
#include "platform/localtime/LocalTime.h"

namespace logora {

namespace {

// Reads a decimal integer of at most `width` characters as scanf "%<width>d"
// does: leading white space skipped, then an optional sign and digits.
bool ScanWidth(std::string_view text, size_t& at, int width, int& value)
{
    while (at < text.size() && (text[at] == ' ' || (text[at] >= '\t' && text[at] <= '\r'))) ++at;
    size_t end =
        at + static_cast<size_t>(width) < text.size() ? at + static_cast<size_t>(width) : text.size();
    bool negative = false;
    size_t digitsStart = at;
    if (digitsStart < end && (text[digitsStart] == '-' || text[digitsStart] == '+')) {
        negative = text[digitsStart] == '-';
        ++digitsStart;
    }
    size_t i = digitsStart;
    int number = 0;
    while (i < end && text[i] >= '0' && text[i] <= '9') number = number * 10 + (text[i++] - '0');
    if (i == digitsStart) return false;
    value = negative ? -number : number;
    at = i;
    return true;
}

size_t FormatDateTime(const CalendarParts& parts, char* output, size_t capacity)
{
    size_t length = CDataFormatHelper::FormatCalendarDate(parts, output, capacity);
    size_t room = CDataFormatHelper::DateTextRoom(capacity);
    int written = std::snprintf(output + length, room - length, " %02d:%02d:%02d", parts.hour, parts.minute,
                                parts.second);
    return length + (written > 0 ? static_cast<size_t>(written) : 0);
}

void AssignTrimmed(std::string& text, const char* chars, size_t length)
{
    size_t first = 0;
    while (first < length && (chars[first] == ' ' || (chars[first] >= '\t' && chars[first] <= '\r'))) ++first;
    text.assign(chars + first, length - first);
}

}  // namespace

double ReadDecimal(const uint8_t* bytes, size_t length)
{
    const char* at = reinterpret_cast<const char*>(bytes);
    const char* end = at + strnlen(at, length);
    while (at < end && (*at == ' ' || (*at >= '\t' && *at <= '\r'))) ++at;
    if (at < end && *at == '+') ++at;
    double value = 0.0;
    std::from_chars(at, end, value);
    return value;
}

size_t CDataFormatHelper::FormatCalendarDate(const CalendarParts& parts, char* output, size_t capacity)
{
    size_t length = FormatUserShortDate(parts.year, parts.month, parts.day, output, capacity);
    if (length > 0) return length;
    int written = std::snprintf(output, CDataFormatHelper::DateTextRoom(capacity), "%02d/%02d/%4d",
                                parts.month, parts.day, parts.year);
    return written > 0 ? static_cast<size_t>(written) : 0;
}

size_t CDataFormatHelper::FormatDbfDate(std::string_view text, char* output, size_t capacity)
{
    CalendarParts parts{0, 0, 0, 0, 0, 0};
    size_t at = 0;
    if (ScanWidth(text, at, 4, parts.year) && ScanWidth(text, at, 2, parts.month))
        ScanWidth(text, at, 2, parts.day);
    return FormatCalendarDate(parts, output, capacity);
}

size_t CDataFormatHelper::FormatOleDateTime(double value, char* output, size_t capacity)
{
    CalendarParts parts;
    OleDateToParts(value, parts);
    return FormatDateTime(parts, output, capacity);
}

size_t CDataFormatHelper::FormatUnixDateTime(int64_t seconds, char* output, size_t capacity)
{
    CalendarParts parts;
    std::tm local{};
    if (platform::BreakDownLocalTime(seconds, local) && local.tm_year + 1900 >= 1 &&
        local.tm_year + 1900 <= 9999) {
        parts = CalendarParts{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour,        local.tm_min,     local.tm_sec};
    }
    return FormatDateTime(parts, output, capacity);
}

size_t CDataFormatHelper::FormatValueColumn(char* output, const uint8_t* bytes, size_t, int width,
                                            int decimals)
{
    return FormatFixed(output, RawDouble(bytes), width, decimals);
}

size_t CDataFormatHelper::FormatInternalColumn(char* output, const uint8_t* bytes, size_t length, int, int)
{
    // "%*d" of width 10 runs over it only for a negative number of ten digits.
    const int32_t value = RawInt32(bytes, length);
    const size_t width = value <= -1'000'000'000 ? 11 : 10;
    FormatFixedWidthInt(value, width, width, output);
    return width;
}

size_t CDataFormatHelper::FormatTimestampColumn(char* output, const uint8_t* bytes, size_t length, int, int)
{
    return FormatOleDateTime(ReadDecimal(bytes, length), output, kTimestampCapacity);
}

size_t CDataFormatHelper::FormatDateColumn(char* output, const uint8_t* bytes, size_t length, int, int)
{
    return FormatDbfDate(std::string_view(reinterpret_cast<const char*>(bytes), length), output,
                         kCsvDateCapacity);
}

size_t CDataFormatHelper::FormatTextColumn(char* output, const uint8_t* bytes, size_t length, int, int)
{
    size_t used = strnlen(reinterpret_cast<const char*>(bytes), length);
    std::memcpy(output, bytes, used);
    return used;
}

void CDataFormatHelper::FormatCellText(const CDBF& table, int column, std::string_view name,
                                       std::string& text, int width, int decimals)
{
    DBFField field = table.GetField(column);
    uint8_t bytes[256] = {};
    table.GetFieldBytes(column, bytes, field.length);
    FormatFieldText(KindOfColumn(name, field.type, field.length).encoding, bytes, field.length, text, width,
                    decimals);
}

void CDataFormatHelper::FormatFieldText(ColumnEncoding encoding, const uint8_t* bytes, size_t length,
                                        std::string& text, int width, int decimals)
{
    char output[DateTextRoom(kDisplayDateCapacity) + FixedTextRoom(0, 0) + 128];
    size_t used = 0;
    switch (encoding) {
        case ColumnEncoding::RawDouble:
            width = width < 0 ? 0 : (width > 99 ? 99 : width);
            decimals = decimals < 0 ? 0 : (decimals > 99 ? 99 : decimals);
            used = FormatFixed(output, RawDouble(bytes), width, decimals);
            break;
        case ColumnEncoding::RawInteger:
            used = static_cast<size_t>(
                std::to_chars(output, output + sizeof output, RawInt32(bytes, length)).ptr - output);
            break;
        case ColumnEncoding::DbfDate:
            used = FormatDbfDate(std::string_view(reinterpret_cast<const char*>(bytes), length), output,
                                 kDisplayDateCapacity);
            break;
        case ColumnEncoding::OleDateTime:
            used = FormatOleDateTime(ReadDecimal(bytes, length), output, kDisplayDateCapacity);
            break;
        case ColumnEncoding::Text:
            used = strnlen(reinterpret_cast<const char*>(bytes), length);
            std::memcpy(output, bytes, used);
            break;
    }
    AssignTrimmed(text, output, used);
}

}  // namespace logora
