#pragma once
// How each field of a loaded table becomes a field of a plain dBASE table, by
// what the field holds (ColumnRoles.h): a raw double becomes F with the float
// format, a raw integer N 10, an OLE date C 19 date-time text; every other
// field is copied. The routine of each field
// is chosen once, so the record loop does no name comparisons.

#include <cstdint>
#include <vector>

#include "logora/engine/dbf/DBFStructures.h"

namespace logora {

// Writes exactly `length` bytes for one field: the converted text, cut to the
// field or padded as its type requires.
using PlainFieldRoutine = void (*)(const uint8_t* source, uint32_t sourceLength, char* output,
                                   uint32_t length, int decimals);

struct PlainField
{
    DBFField descriptor;  // the new descriptor, displacement computed
    PlainFieldRoutine routine = nullptr;
    uint32_t sourceDisplacement = 0;
    uint32_t sourceLength = 0;
};

// Plans every field in order; `recordLength` receives 1 + the new lengths.
std::vector<PlainField> PlanPlainFields(const std::vector<DBFField>& loaded, int floatLength,
                                        int floatDecimals, uint32_t& recordLength);

}  // namespace logora
