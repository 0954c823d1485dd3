#pragma once
// The formatting rules shared by the CSV export, the record list and the
// alarm conversion: binary doubles and integers inside character fields,
// dBASE dates, OLE Automation date-times, Unix times, and one cell's display
// text. All operations are static and write into caller buffers, so the
// export loop never allocates.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "logora/engine/dbf/ColumnRoles.h"

namespace logora {

class CDBF;
struct CalendarParts;

// A field's text read as a number, as atof reads it (the C locale's decimal
// point whatever the program's locale); 0 when it holds none.
double ReadDecimal(const uint8_t* bytes, size_t length);

class CDataFormatHelper
{
public:
    // Room that an output buffer of the date operations needs for a given
    // capacity: the date text itself may reach the capacity, a fallback date
    // and the time of day are written whole even beyond it.
    static constexpr size_t DateTextRoom(size_t capacity) { return (capacity > 48 ? capacity : 48) + 16; }

    // Eight-digit dBASE date (year, month, day) to the user's short date when
    // it fits into `capacity` bytes with its terminator, else printf
    // "%02d/%02d/%4d" of month, day, year. Returns the text length; `output`
    // holds DateTextRoom(capacity) bytes and receives a terminator.
    static size_t FormatDbfDate(std::string_view text, char* output, size_t capacity);
    // OLE Automation date-time (days since 30 December 1899) to the date as
    // above followed by " %02d:%02d:%02d"; every part is -1 outside years 100
    // to 9999.
    static size_t FormatOleDateTime(double value, char* output, size_t capacity);
    // Seconds since 1 January 1970 UTC in the machine's local time, as above.
    static size_t FormatUnixDateTime(int64_t seconds, char* output, size_t capacity);
    // The date of `parts` as FormatDbfDate writes it.
    static size_t FormatCalendarDate(const CalendarParts& parts, char* output, size_t capacity);

    // Display text of column `column` of the table's current record, read as
    // the column kind of `name` with the column's type and length holds it
    // (ColumnRoles.h); leading white space removed.
    static void FormatCellText(const CDBF& table, int column, std::string_view name, std::string& text,
                               int width, int decimals);
    // The same for a field's `length` bytes (at most 255) read as `encoding`.
    static void FormatFieldText(ColumnEncoding encoding, const uint8_t* bytes, size_t length,
                                std::string& text, int width, int decimals);

    // Column formatters of the CSV export. Each writes the text of one column
    // (`bytes`, `length` bytes) to `output` without terminator and returns its
    // length; `output` holds MaxTextLength(...) bytes of the chosen rule.
    using ColumnFormatter = size_t (*)(char* output, const uint8_t* bytes, size_t length, int width,
                                       int decimals);
    // The 8 bytes as a little-endian double, "%*.*f".
    static size_t FormatValueColumn(char* output, const uint8_t* bytes, size_t length, int width,
                                    int decimals);
    // The (at most 4) bytes as a little-endian signed integer, "%*d" of width 10.
    static size_t FormatInternalColumn(char* output, const uint8_t* bytes, size_t length, int width,
                                       int decimals);
    // The text as a decimal number, then FormatOleDateTime with capacity 100.
    static size_t FormatTimestampColumn(char* output, const uint8_t* bytes, size_t length, int width,
                                        int decimals);
    // FormatDbfDate with capacity 10.
    static size_t FormatDateColumn(char* output, const uint8_t* bytes, size_t length, int width,
                                   int decimals);
    // The bytes up to the first NUL.
    static size_t FormatTextColumn(char* output, const uint8_t* bytes, size_t length, int width,
                                   int decimals);

    static constexpr size_t kTimestampCapacity = 100;
    static constexpr size_t kCsvDateCapacity = 10;
    static constexpr size_t kDisplayDateCapacity = 512;
};

}  // namespace logora
