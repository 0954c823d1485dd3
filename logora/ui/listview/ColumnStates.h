#pragma once
// Which fields the record list shows. One state per field: 3 shown, 1 hidden
// (the check states of the column selection). The view keeps the requested
// states and the displayed ones; a refresh touches only fields that differ.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace logora::ui {

inline constexpr int kColumnShown = 3;
inline constexpr int kColumnHidden = 1;

// The field shown in visible column `column`: the (column+1)-th shown field;
// field 0 when there is none.
int MapColumnToField(const std::vector<int>& requested, int column);

struct ColumnChange
{
    bool insert;   // false: delete
    int field;     // field index
    int position;  // visible column index to insert at or delete
};

// The column insertions and deletions that turn `displayed` into `requested`,
// in field order; `displayed` is updated. States other than 3 and 1 are left
// alone.
std::vector<ColumnChange> PlanColumnRefresh(const std::vector<int>& requested, std::vector<int>& displayed);

// Width of a new column: the longer of the name and the field, in characters
// of the widest glyph, at most maxWidth; passed on as a 16-bit value.
int ColumnWidth(int nameLength, int fieldLength, int maxCharWidth, int maxWidth);

// The widest a column may start: screen width over the number of fields, or
// half the screen without fields.
int MaxColumnWidth(int screenWidth, size_t fieldCount);

}  // namespace logora::ui
