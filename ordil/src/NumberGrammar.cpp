#include "ordil/src/NumberGrammar.h"

#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/Text16.h"

#include <array>
#include <cstdint>

namespace ordil {

namespace {

enum CharKind { kBlank, kSign, kDigit, kPoint, kExponent, kEnd, kOther };

CharKind kindOf(char16_t c, char16_t point)
{
    if (c == point) return kPoint;
    if (isBlank(c)) return kBlank;
    if (isDigit(c)) return kDigit;
    if (c == u'+' || c == u'-') return kSign;
    if (c == u'E' || c == u'e') return kExponent;
    return kOther;
}

constexpr int8_t kReject = -1;
constexpr int8_t kAccept = 9;

// Next state by state and character kind (blank, sign, digit, point, exponent, end).
constexpr std::array<std::array<int8_t, 6>, 9> kFloatStates = {{
    {0, 1, 2, 3, kReject, kReject},                    // 0 start
    {kReject, kReject, 2, 3, kReject, kReject},        // 1 after sign
    {kReject, kReject, 2, 4, 5, kAccept},              // 2 integer digits
    {kReject, kReject, 4, kReject, kReject, kReject},  // 3 point first
    {kReject, kReject, 4, kReject, 5, kAccept},        // 4 fraction digits
    {kReject, 6, 7, kReject, kReject, kReject},        // 5 after exponent mark
    {kReject, kReject, 7, kReject, kReject, kReject},  // 6 exponent sign
    {8, kReject, 7, kReject, kReject, kAccept},        // 7 exponent digits
    {8, kReject, kReject, kReject, kReject, kAccept},  // 8 trailing blanks
}};

constexpr std::array<std::array<int8_t, 6>, 4> kIntegerStates = {{
    {0, 1, 2, kReject, kReject, kReject},              // 0 start
    {kReject, kReject, 2, kReject, kReject, kReject},  // 1 after sign
    {3, kReject, 2, kReject, kReject, kAccept},        // 2 digits
    {3, kReject, kReject, kReject, kReject, kAccept},  // 3 trailing blanks
}};

template <size_t States>
bool accepts(const std::array<std::array<int8_t, 6>, States>& table, std::u16string_view text, char16_t point)
{
    int state = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
        CharKind kind = i == text.size() ? kEnd : kindOf(text[i], point);
        if (kind == kOther) return false;
        state = table[size_t(state)][kind];
        if (state == kReject) return false;
        if (state == kAccept) return true;
    }
    return false;
}

}  // namespace

bool isIntegerText(std::u16string_view text)
{
    return accepts(kIntegerStates, text, u'\0');
}

bool isFloatText(std::u16string_view text, char16_t point)
{
    return accepts(kFloatStates, text, point);
}

}  // namespace ordil

extern "C" {

int UtlIsValidInt(const char16_t* text)
{
    return ordil::isIntegerText(ordil::view(text));
}

int UtlIsValidFloat(const char16_t* text)
{
    return ordil::isFloatText(ordil::view(text), u'.');
}

}  // extern "C"
