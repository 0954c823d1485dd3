// The number grammars and fixed-point conversions on arbitrary texts. A text
// found convertible converts to its value times 10^decimals, truncated (checked
// against the C library's own reading of the text), and every formatted value
// converts back to itself.
// Input: text, NUL, decimals (first unit), NUL, value (two units).
#include "fuzz/ordil_common/FuzzText.h"
#include "ordil/include/ordil.h"

#include <cmath>
#include <string>

using ordil::fuzz::fail;

namespace {

// The text as the C library reads a number, times 10^decimals.
long double referenceValue(const std::u16string& text, int32_t decimals)
{
    std::string ascii(text.begin(), text.end());
    return std::fabs(std::strtold(ascii.c_str(), nullptr)) * std::pow(10.0L, decimals);
}

void checkText(const std::u16string& text, int32_t decimals)
{
    UtlIsValidInt(text.c_str());
    UtlLocaleIsValidFloat(text.c_str());
    int valid = UtlIsValidFloat(text.c_str());
    int convertible = UtlIsConvertibleFloatString(text.c_str(), decimals);
    uint32_t value = UtlFloatStringToULong(text.c_str(), decimals);
    if (convertible && !valid) fail("convertible text outside the grammar");
    if (!valid || decimals < 0 || decimals > 10) return;
    long double expected = referenceValue(text, decimals);
    if (convertible && (value > expected + 1e-6L || value < expected - 1.0L - 1e-6L))
        fail("converted value differs from the text's value");
    bool exponent = text.find_first_of(u"Ee") != std::u16string::npos;
    if (!convertible && !exponent && expected < 4294967294.0L) fail("small value found not convertible");
}

void checkFormatted(uint32_t value, int32_t decimals)
{
    const char16_t* text = UtlULongToFloatString(value, decimals);
    if ((decimals < 0 || decimals > 32) != (text == nullptr))
        fail("text given for decimals outside 0 to 32, or none inside");
    if (!text) return;
    std::u16string copy = text;
    if (copy.size() > 34 || !UtlIsValidFloat(copy.c_str()) ||
        UtlFloatStringToULong(copy.c_str(), decimals) != value)
        fail("formatted value does not convert back");
    if (decimals <= 10 && !UtlIsConvertibleFloatString(copy.c_str(), decimals))
        fail("formatted value not convertible");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    auto fields = ordil::fuzz::splitFields(data, size, 3);
    int32_t decimals = fields[1].empty() ? 2 : int32_t(fields[1][0] % 43) - 2;
    uint32_t value = fields[2].size() < 2 ? 12345u : uint32_t(fields[2][0]) << 16 | fields[2][1];
    checkText(fields[0], decimals);
    checkFormatted(value, decimals);
    return 0;
}
