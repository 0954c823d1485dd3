#pragma once
// One datalog record decoded, and what the table makes of its flags and value.

#include <cstdint>

namespace logora::vell {

struct VellRecord
{
    uint32_t time = 0;  // seconds since 1970 UTC
    int32_t milliseconds = 0;
    uint16_t tagNumber = 0;  // counted from 1
    uint16_t flags = 0;
    uint8_t value[4] = {};
};

// The 16 record bytes; the caller guarantees there are 16.
VellRecord DecodeVellRecord(const uint8_t* bytes);

// The value by the record's value type. 32-bit integers are stored exactly
// (every one fits a double); 16-bit integers and singles are widened as they
// are; the types without a value give 0.
double VellRecordValue(const VellRecord& record);

// "E" when the marker E flag is set, else "B" for marker B, else a blank.
char VellMarker(uint16_t flags);

// "E" for the status flag, else a blank.
char VellStatus(uint16_t flags);

}  // namespace logora::vell
