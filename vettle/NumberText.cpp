#include "vettle/NumberText.h"

#include <algorithm>
#include <limits>

namespace vettle {

namespace {

bool IsCSpace(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// The digit value of every character; 99 for characters that are no digit.
constexpr std::array<uint8_t, 256> kDigitValues = [] {
    std::array<uint8_t, 256> values{};
    for (int c = 0; c < 256; ++c) {
        values[c] = c >= '0' && c <= '9'   ? c - '0'
                    : c >= 'a' && c <= 'z' ? c - 'a' + 10
                    : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                                           : 99;
    }
    return values;
}();

int DigitValue(char c)
{
    return kDigitValues[static_cast<uint8_t>(c)];
}

struct ParsedDigits
{
    uint64_t magnitude = 0;  // capped just above the 32-bit range
    bool negative = false;
};

ParsedDigits ParseDigits(std::string_view text, bool detectBase)
{
    ParsedDigits parsed;
    size_t pos = 0;
    while (pos < text.size() && IsCSpace(text[pos])) ++pos;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) parsed.negative = text[pos++] == '-';
    int base = 10;
    if (detectBase && pos < text.size() && text[pos] == '0') {
        const bool hexPrefix = pos + 2 < text.size() && (text[pos + 1] == 'x' || text[pos + 1] == 'X') &&
                               DigitValue(text[pos + 2]) < 16;
        if (hexPrefix) {
            base = 16;
            pos += 2;
        } else {
            base = 8;
        }
    }
    constexpr uint64_t kCap = uint64_t{1} << 33;
    if (base == 10) {
        // Up to 18 decimal digits cannot overflow: capped once at the end, the
        // value is the one capped at every step.
        const size_t last = std::min(text.size(), pos + 18);
        for (; pos < last && static_cast<unsigned>(text[pos] - '0') < 10; ++pos) {
            parsed.magnitude = parsed.magnitude * 10 + static_cast<unsigned>(text[pos] - '0');
        }
        parsed.magnitude = std::min(parsed.magnitude, kCap);
    }
    for (; pos < text.size(); ++pos) {
        const int digit = DigitValue(text[pos]);
        if (digit >= base) break;
        parsed.magnitude = parsed.magnitude * base + digit;
        if (parsed.magnitude > kCap) parsed.magnitude = kCap;
    }
    return parsed;
}

}  // namespace

uint32_t ParseCUnsigned32(std::string_view text)
{
    const ParsedDigits parsed = ParseDigits(text, true);
    if (parsed.magnitude > std::numeric_limits<uint32_t>::max()) return std::numeric_limits<uint32_t>::max();
    const auto value = static_cast<uint32_t>(parsed.magnitude);
    return parsed.negative ? 0u - value : value;
}

int32_t ParseDecimalInt32(std::string_view text)
{
    const ParsedDigits parsed = ParseDigits(text, false);
    const int64_t value =
        parsed.negative ? -static_cast<int64_t>(parsed.magnitude) : static_cast<int64_t>(parsed.magnitude);
    if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
    if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(value);
}

bool IsGuidText(std::string_view text)
{
    constexpr std::string_view kShape = "xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx";
    if (text.size() != kShape.size()) return false;
    for (size_t i = 0; i < kShape.size(); ++i) {
        const bool ok = kShape[i] == '-' ? text[i] == '-' : DigitValue(text[i]) < 16;
        if (!ok) return false;
    }
    return true;
}

std::string_view LastChars(std::string_view text, size_t count)
{
    return text.size() <= count ? text : text.substr(text.size() - count);
}

StarTokens SplitStarTokens(std::string_view text)
{
    StarTokens tokens;
    size_t pos = 0;
    while (tokens.count < tokens.tokens.size()) {
        while (pos < text.size() && text[pos] == '*') ++pos;
        if (pos == text.size()) break;
        const size_t end = std::min(text.find('*', pos), text.size());
        tokens.tokens[tokens.count++] = text.substr(pos, end - pos);
        pos = end;
    }
    return tokens;
}

std::string_view TrimRight(std::string_view text, std::string_view characters)
{
    // A few characters off the end of a short text: plain loops beat the
    // library's general search.
    const auto trimmed = [&](char c) {
        for (char t : characters) {
            if (t == c) return true;
        }
        return false;
    };
    while (!text.empty() && trimmed(text.back())) text.remove_suffix(1);
    return text;
}

}  // namespace vettle
