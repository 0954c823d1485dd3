#pragma once
// What a column of the system's tables holds, recognised by its name (without
// regard to case), type letter and length. The record list, the CSV export,
// the save as plain dBASE and the trend plot all read a column through this
// one table, so they cannot disagree about it.
//
//   name      type  length  holds
//   Value     C     8       a raw little-endian double
//   Internal  C     1..4    a raw little-endian integer (its low bytes)
//   Timestmp  F     any     an OLE Automation date as a decimal number
//   (any)     D     any     a dBASE date, "%4d%02d%02d"
//   anything else           text
//
// A "Value" or "Internal" of another type or length, or a "Timestmp" that is
// no F field (as a saved table has it), is text.
//
// Besides, the datalog columns have a role in the table form and the trend
// plot: the date, "Time", "Millitm", the tag ("Tag", "TagIndex", or a merged
// Zarn table's "Tagname") and "Value", whatever its encoding.

#include <cstdint>
#include <string_view>
#include <vector>

#include "logora/engine/dbf/DBFStructures.h"

namespace logora {

enum class ColumnEncoding { Text, RawDouble, RawInteger, OleDateTime, DbfDate };

enum class ColumnRole { Other, Date, Time, Millitm, Tag, Value };

struct ColumnKind
{
    ColumnEncoding encoding = ColumnEncoding::Text;
    ColumnRole role = ColumnRole::Other;
};

ColumnKind KindOfColumn(std::string_view name, char type, uint32_t length);

inline ColumnKind KindOfColumn(const DBFField& field)
{
    return KindOfColumn(field.Name(), field.type, field.length);
}

// Whether the fields hold a datalog the table form can be written from: a
// tag column and a value column.
bool HasTableFormColumns(const std::vector<DBFField>& fields);

}  // namespace logora
