// Parameter texts: switches (a slash and a letter at the start of the text or
// after a blank, outside double quotes) holding key=value pairs.
#pragma once

#include <cstdint>
#include <string_view>

namespace ordil {

// From the switch's slash to the next switch's slash or the end of the text.
struct SwitchRange
{
    size_t start = 0;
    size_t end = 0;
};

struct PairValue
{
    size_t start = 0;  // after the opening double quote of a quoted value
    size_t length = 0;
    bool quoted = false;
};

// S_OK, S_FALSE (no such switch) or E_INVALIDARG (unbalanced double quotes).
uint32_t findSwitch(std::u16string_view text, char16_t letter, SwitchRange& range);

// The value after the first `=` of a word in the switch's range whose first
// characters equal the key (over the key's length, letter case ignored).
// S_FALSE when the switch exists but the pair does not; other codes as
// findSwitch.
uint32_t findPair(std::u16string_view text, char16_t letter, std::u16string_view key, SwitchRange& range,
                  PairValue& value);

}  // namespace ordil
