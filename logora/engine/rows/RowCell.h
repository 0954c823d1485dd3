#pragma once
// One value of a row, as the CSV field of the same record shows it.

#include <cstdint>
#include <string_view>

namespace logora {

struct CivilTime
{
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

struct RowCell
{
    // No value: the CSV field is empty or blank, or its text cannot be read
    // as the column's kind (then `text` still holds it).
    bool empty = true;
    double number = 0;    // CellKind::Number
    int64_t integer = 0;  // CellKind::Integer
    CivilTime when;       // CellKind::Date, Time (only the time of day), DateTime
    // The CSV field's text in UTF-8, without its quoting: as it stands for
    // CellKind::Text, without surrounding blanks for every other kind; valid
    // during the call it comes with.
    std::string_view text;
};

}  // namespace logora
