#include "logora/engine/dbf/FixedFormat.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "common/bytes/ByteGroups.h"
#include "logora/engine/dbf/DecimalDigits.h"

namespace logora {

namespace {

using namespace decimal;

constexpr int kFastPrecisionMax = 17;
constexpr double kPowersOfTen[kFastPrecisionMax + 1] = {1e0, 1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,
                                                        1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17};
// Below 2^52 every double has a fraction step of at most 0.5, which the
// rounding decision below relies on.
constexpr double kFastScaledLimit = 4503599627370496.0;

// |value| × 10^precision rounded to an integer exactly as printf rounds the
// exact decimal value (ties to even). False when the fast path cannot decide.
bool ScaledExactly(double magnitude, int precision, uint64_t& rounded)
{
    double power = kPowersOfTen[precision];
    double scaled = magnitude * power;
    if (!(scaled < kFastScaledLimit)) return false;
    // The exact product is scaled + residual; both terms are exact doubles.
    double residual = std::fma(magnitude, power, -scaled);
    double whole = std::floor(scaled);
    double fraction = scaled - whole;
    bool up = fraction > 0.5 || (fraction == 0.5 && residual > 0.0);
    if (fraction == 0.5 && residual == 0.0) up = std::fmod(whole, 2.0) != 0.0;
    rounded = static_cast<uint64_t>(whole) + (up ? 1 : 0);
    return true;
}

// The number of decimal digits of `value`, at least one.
int DigitCount(uint64_t value)
{
    // log10 from the bit length, then one look at the next power.
    const int guess = (std::bit_width(value | 1) * 1233) >> 12;
    return guess + 1 - ((value | 1) < kIntegerPowersOfTen[guess] ? 1 : 0);
}

size_t RightAligned(char* output, const char* text, size_t length, int width)
{
    size_t padding =
        width > 0 && static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
    std::memmove(output + padding, text, length);  // text may already lie at output
    std::memset(output, ' ', padding);
    return padding + length;
}

}  // namespace

size_t FormatFixed(char* output, double value, int width, int precision)
{
    if (precision < 0) precision = 6;  // as printf treats a negative precision
    bool negative = std::signbit(value);
    double magnitude = std::fabs(value);
    uint64_t rounded = 0;
    if (std::isfinite(value) && precision <= kFastPrecisionMax &&
        ScaledExactly(magnitude, precision, rounded)) {
        // The length is known before the digits: they go straight to their
        // place behind the blanks.
        const int digits = std::max(DigitCount(rounded), precision + 1);
        const size_t length =
            static_cast<size_t>(negative) + static_cast<size_t>(digits) + (precision > 0 ? 1 : 0);
        const size_t padding =
            width > 0 && static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
        std::memset(output, ' ', padding);
        char* const end = output + padding + length;
        char* at = end;
        if (precision > 0) {
            at = LastDigitsBackwards(end, rounded, precision);
            *--at = '.';
        }
        at = DigitsBackwards(at, rounded);
        if (negative) *--at = '-';
        return padding + length;
    }
    if (!std::isfinite(value)) {
        const char* name = std::isnan(value) ? (negative ? "-nan" : "nan") : (negative ? "-inf" : "inf");
        return RightAligned(output, name, std::strlen(name), width);
    }
    // Large values or many decimals: the exact conversion of the library,
    // written straight into the output and then aligned.
    size_t room = FixedTextRoom(0, precision);
    auto result = std::to_chars(output, output + room, value, std::chars_format::fixed, precision);
    size_t length = static_cast<size_t>(result.ptr - output);
    return RightAligned(output, output, length, width);
}

void FormatCutInt(int64_t value, size_t width, size_t count, char* out)
{
    const bool negative = value < 0;
    const uint64_t magnitude = negative ? 0 - static_cast<uint64_t>(value) : static_cast<uint64_t>(value);
    // Room for the digits behind the sign; one digit at the least.
    const size_t room = width > (negative ? 1u : 0u) ? width - (negative ? 1 : 0) : 0;
    const bool fits = room >= 20 || (room >= 1 && magnitude < kIntegerPowersOfTen[room]);
    if (fits && count == width && width <= kBlankCount) {
        // A negative number within its whole field: as the usual case.
        CopyFewBytes(out, kBlanks, width);
        char* at = DigitsBackwards(out + width, magnitude);
        if (negative) at[-1] = '-';
        return;
    }
    char text[24];
    char* end = text + sizeof text;
    char* at = DigitsBackwards(end, magnitude);
    if (negative) *--at = '-';
    const size_t length = static_cast<size_t>(end - at);
    const size_t padding = width > length ? width - length : 0;
    size_t i = 0;
    for (; i < count && i < padding; ++i) out[i] = ' ';
    for (; i < count; ++i) out[i] = at[i - padding];
}

}  // namespace logora
