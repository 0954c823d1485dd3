#pragma once
// printf "%*.*f" of a double, byte for byte as the C library prints it in the
// "C" locale (correct rounding, ties to even, "-0.00" for negative zero,
// "nan"/"inf" spellings), and "%*lld" of an integer, without the cost of
// printf in the conversion and export loops.

#include <cstddef>
#include <cstdint>

#include "common/bytes/ByteGroups.h"
#include "logora/engine/dbf/DecimalDigits.h"

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

// FormatFixedWidthInt of a number that does not fit its whole field, or of
// a negative one.
void FormatCutInt(int64_t value, size_t width, size_t count, char* out);

// The first `count` (at most `width`) characters of printf "%*lld" of
// `value`: the text of a numeric column `width` wide, cut to `count`.
// Inline: the loops write several per record.
inline void FormatFixedWidthInt(int64_t value, size_t width, size_t count, char* out)
{
    using namespace decimal;
    if (value < 0 || count != width || width > kBlankCount || width == 0 ||
        (width < 20 && static_cast<uint64_t>(value) >= kIntegerPowersOfTen[width])) {
        FormatCutInt(value, width, count, out);
        return;
    }
    // The usual case, a number within its whole field: blanks, then the
    // digits written over their end, all straight into `out` (reading back
    // a text just built byte by byte would stall the processor).
    CopyFewBytes(out, kBlanks, width);
    DigitsBackwards(out + width, static_cast<uint64_t>(value));
}

}  // namespace logora
