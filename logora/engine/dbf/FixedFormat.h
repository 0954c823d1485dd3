#pragma once
// printf "%*.*f" of a double, byte for byte as the C library prints it in the
// "C" locale (correct rounding, ties to even, "-0.00" for negative zero,
// "nan"/"inf" spellings), and "%*lld" of an integer, without the cost of
// printf in the conversion and export loops.

#include <cstddef>
#include <cstdint>

namespace logora {

// Room `output` needs for any value: the widest fixed text of a double.
constexpr size_t FixedTextRoom(int width, int precision)
{
    size_t widest = 1 + 309 + 1 + static_cast<size_t>(precision < 0 ? 0 : precision);
    return (static_cast<size_t>(width) > widest ? static_cast<size_t>(width) : widest) + 1;
}

// Writes the text (no terminator) to `output`, which holds at least
// FixedTextRoom(width, precision) bytes, and returns its length.
size_t FormatFixed(char* output, double value, int width, int precision);

// The first `count` (at most `width`) characters of printf "%*lld" of
// `value`: the text of a numeric column `width` wide, cut to `count`.
void FormatFixedWidthInt(int64_t value, size_t width, size_t count, char* out);

}  // namespace logora
