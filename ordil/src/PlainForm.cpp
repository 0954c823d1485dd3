#include "ordil/src/PlainForm.h"

#include "ordil/src/CharClass.h"

#include <algorithm>

namespace ordil {

namespace {

// Far beyond any exponent whose plain form fits its room.
constexpr long kExponentLimit = 1000000;

std::u16string_view takeDigits(std::u16string_view& text)
{
    size_t count = 0;
    while (count < text.size() && isDigit(text[count])) ++count;
    std::u16string_view digits = text.substr(0, count);
    text.remove_prefix(count);
    return digits;
}

void skipBlanksAndSign(std::u16string_view& text, bool* negative)
{
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
        if (negative) *negative = text.front() == u'-';
        text.remove_prefix(1);
    }
}

// The exponent as the C library reads a decimal integer: blanks, sign,
// digits, anything after them ignored; held within +-kExponentLimit.
long parseExponent(std::u16string_view text)
{
    bool negative = false;
    skipBlanksAndSign(text, &negative);
    long value = 0;
    for (char16_t digit : takeDigits(text)) value = std::min(value * 10 + (digit - u'0'), kExponentLimit);
    return negative ? -value : value;
}

}  // namespace

bool hasExponentMark(std::u16string_view text)
{
    return text.find_first_of(u"Ee") != std::u16string_view::npos;
}

std::optional<std::u16string> plainForm(std::u16string_view text)
{
    size_t mark = text.find_first_of(u"Ee");
    std::u16string_view mantissa = text.substr(0, mark);
    if (mantissa.size() > kMaxMantissa) return std::nullopt;
    long exponent = mark == std::u16string_view::npos ? 0 : parseExponent(text.substr(mark + 1));
    // Nothing to move: the mantissa stays as it is, with whatever follows its
    // digits, so "12 EUR" reads as 12 just as "12" does.
    if (exponent == 0) return std::u16string(mantissa);

    skipBlanksAndSign(mantissa, nullptr);
    std::u16string_view whole = takeDigits(mantissa);
    std::u16string_view fraction;
    if (!mantissa.empty() && mantissa.front() == u'.') {
        mantissa.remove_prefix(1);
        fraction = takeDigits(mantissa);
    }
    if (!mantissa.empty() || whole.size() + fraction.size() == 0) return std::nullopt;

    std::u16string digits = std::u16string(whole) + std::u16string(fraction);
    long size = long(digits.size());
    long point = long(whole.size()) + exponent;  // digits before the point once moved
    long length = point >= size ? point : point > 0 ? size + 1 : 2 - point + size;
    if (length > long(kMaxPlainForm)) return std::nullopt;

    if (point >= size) return digits + std::u16string(size_t(point - size), u'0');
    if (point > 0) return digits.substr(0, size_t(point)) + u'.' + digits.substr(size_t(point));
    return u"0." + std::u16string(size_t(-point), u'0') + digits;
}

}  // namespace ordil
