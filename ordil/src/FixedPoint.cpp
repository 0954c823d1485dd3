// Conversions between decimal number texts and fixed-point values: an
// unsigned 32-bit integer u with d decimals stands for u / 10^d.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/NumberGrammar.h"
#include "ordil/src/PlainForm.h"
#include "ordil/src/Text16.h"

#include <array>
#include <string>

using namespace ordil;

namespace {

constexpr int32_t kMaxCheckedDecimals = 10;
constexpr int32_t kMaxFormattedDecimals = 32;
constexpr std::u16string_view kLargestValue = u"4294967295";

// Characters after the point, or -1 without a point.
int32_t decimalsOf(std::u16string_view text)
{
    size_t point = text.find(u'.');
    return point == std::u16string_view::npos ? -1 : int32_t(text.size() - point - 1);
}

// The text to convert: its plain form when it holds an exponent.
std::optional<std::u16string> examinedText(std::u16string_view text)
{
    if (hasExponentMark(text)) return plainForm(text);
    return std::u16string(text);
}

// Whether the digits of `text` times 10^decimals, truncated, fit in 32
// unsigned bits. Leading zeros, blanks and the sign never count as digits of
// the value.
bool fitsFixedPoint(std::u16string_view text, int32_t decimals)
{
    std::u16string digits;
    bool inFraction = false;
    int32_t remaining = std::max(decimals, 0);
    for (char16_t c : text) {
        if (c == u'.') inFraction = true;
        if (!isDigit(c)) continue;
        if (inFraction && remaining-- == 0) break;
        if (!digits.empty() || c != u'0') digits += c;
        if (digits.size() > kLargestValue.size()) return false;
    }
    if (digits.empty()) return true;
    size_t zeros = size_t(std::max(remaining, 0));
    if (digits.size() + zeros > kLargestValue.size()) return false;
    digits.append(zeros, u'0');
    if (digits.size() != kLargestValue.size()) return digits.size() < kLargestValue.size();
    return std::u16string_view(digits) <= kLargestValue;
}

uint32_t toFixedPoint(std::u16string_view text, int32_t decimals)
{
    uint32_t result = 0;
    bool inFraction = false;
    for (char16_t c : text) {
        if (c == u'.') {
            inFraction = true;
        } else if (isDigit(c)) {
            if (inFraction && decimals <= 0) break;
            if (inFraction) --decimals;
            result = result * 10 + uint32_t(c - u'0');
        }
    }
    // 10^32 is a multiple of 2^32: further factors leave the wrapped result at 0.
    for (int32_t i = 0; i < std::min(decimals, 32); ++i) result *= 10;
    return result;
}

}  // namespace

extern "C" {

int UtlIsConvertibleFloatString(const char16_t* text, int32_t decimals)
{
    return guarded(0, [&] {
        if (!text || decimals > kMaxCheckedDecimals || !isFloatText(text, u'.')) return 0;
        auto examined = examinedText(text);
        if (!examined) return 0;
        if (decimals < 0) decimals = decimalsOf(*examined);
        return int(fitsFixedPoint(*examined, decimals));
    });
}

uint32_t UtlFloatStringToULong(const char16_t* text, int32_t decimals)
{
    return guarded(uint32_t(0), [&] {
        if (!text) return uint32_t(0);
        auto examined = examinedText(text);
        if (!examined) return uint32_t(0);
        if (decimals < 0) decimals = decimalsOf(*examined);
        return toFixedPoint(*examined, decimals);
    });
}

// The buffer holds every value with up to 32 decimals ("0.", 32 digits, NUL);
// each thread has its own.
const char16_t* UtlULongToFloatString(uint32_t value, int32_t decimals)
{
    thread_local std::array<char16_t, 2 + kMaxFormattedDecimals + 1> buffer;
    if (decimals < 0 || decimals > kMaxFormattedDecimals) return nullptr;
    std::array<char16_t, 10> digits;
    size_t count = 0;
    do {
        digits[count++] = char16_t(u'0' + value % 10);
        value /= 10;
    } while (value != 0);

    size_t places = size_t(decimals);
    char16_t* out = buffer.data();
    if (count > places) {
        for (size_t i = count; i > places; --i) *out++ = digits[i - 1];
        *out++ = u'.';
    } else {
        *out++ = u'0';
        *out++ = u'.';
        out = std::fill_n(out, places - count, u'0');
    }
    for (size_t i = std::min(count, places); i > 0; --i) *out++ = digits[i - 1];
    if (places == 0) *out++ = u'0';
    *out = u'\0';
    return buffer.data();
}

}  // extern "C"
