#pragma once
// The encodings of recipe streams, written from their description: string
// entries (byte count with the 2-byte terminator, UTF-16LE text), value
// entries (variant type number, then its payload) and streams that start
// with an offset table pointing at their entries.

#include <cstdint>
#include <string>
#include <vector>

namespace recipegen {

using Bytes = std::vector<uint8_t>;

// A string entry; an empty text is written as the count 0 (no string).
Bytes StringEntry(const std::u16string& text);

// A byte count of the caller's followed by the given bytes, for damaged
// string entries.
Bytes RawStringEntry(uint32_t count, const Bytes& bytes);

Bytes EmptyValue();
Bytes Int16Value(int16_t value);                // type 2
Bytes Int32Value(int32_t value);                // type 3
Bytes FloatValue(float value);                  // type 4
Bytes DoubleValue(double value);                // type 5
Bytes BoolValue(bool value);                    // type 11
Bytes StringValue(const std::u16string& text);  // type 8
Bytes Int8Value(int8_t value);                  // type 16
Bytes UInt8Value(uint8_t value);                // type 17
Bytes UInt16Value(uint16_t value);              // type 18
Bytes UInt32Value(uint32_t value);              // type 19
Bytes DateValue(double days);                   // type 7, which has no text
// A type number followed by raw payload bytes, for types the helpers above
// do not cover and for damaged values.
Bytes RawValue(uint16_t type, const Bytes& payload);

// An ingredient entry: its type (0 string ingredient, else number), minimum,
// maximum and name.
Bytes IngredientEntry(uint32_t type, const Bytes& minimum, const Bytes& maximum, const std::u16string& name);

// A stream of an offset table followed by the entries in order.
Bytes OffsetTableStream(const std::vector<Bytes>& entries);

}  // namespace recipegen
