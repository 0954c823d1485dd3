#include "logora/engine/document/TrendShape.h"

#include "logora/engine/dbf/ColumnRoles.h"

namespace logora {

namespace {

bool Is(const DBFField& field, char type, int length = -1)
{
    return field.type == type && (length < 0 || field.length == length);
}

// The samples read the value as a raw double.
bool HoldsRawValue(const DBFField& field)
{
    return KindOfColumn(field).encoding == ColumnEncoding::RawDouble;
}

// Date, time text and milliseconds come first in both shapes.
bool HasTimeColumns(const std::vector<DBFField>& f)
{
    return Is(f[0], 'D') && Is(f[1], 'C', 8) && Is(f[2], 'N');
}

bool IsZarnShape(const std::vector<DBFField>& f)
{
    return HasTimeColumns(f) && (Is(f[3], 'N', 5) || Is(f[3], 'C', 255)) && HoldsRawValue(f[4]);
}

bool IsVellShape(const std::vector<DBFField>& f)
{
    return f.size() >= 7 && HasTimeColumns(f) && (Is(f[4], 'C', 10) || Is(f[4], 'C', 255)) &&
           HoldsRawValue(f[6]);
}

}  // namespace

bool HasTrendShape(const std::vector<DBFField>& fields)
{
    return fields.size() >= 5 && (IsZarnShape(fields) || IsVellShape(fields));
}

}  // namespace logora
