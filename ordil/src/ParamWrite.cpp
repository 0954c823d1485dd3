// Writing key=value pairs into parameter texts in the caller's buffer.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/ParamText.h"
#include "ordil/src/Text16.h"

#include <algorithm>
#include <cstring>
#include <string>

using namespace ordil;

namespace {

// Keys and values that keep the text readable once written: a key is one
// word that cannot be taken for a switch, and a value holds no double quote
// (it is written between double quotes).
bool isWritableKey(std::u16string_view key)
{
    return !key.empty() && key.front() != u'/' && std::none_of(key.begin(), key.end(), [](char16_t c) {
        return isBlank(c) || c == u'"' || c == u'=';
    });
}

// Replaces `count` characters at `at` with `insert`; the caller has checked the room.
void splice(char16_t* text, size_t length, size_t at, size_t count, std::u16string_view insert)
{
    size_t tail = length - at - count + 1;  // with the terminator
    std::memmove(text + at + insert.size(), text + at + count, tail * sizeof(char16_t));
    std::copy(insert.begin(), insert.end(), text + at);
}

uint32_t setPair(char16_t* text, size_t size, char16_t letter, std::u16string_view key,
                 std::u16string_view value)
{
    size_t length = view(text).size();
    SwitchRange range;
    PairValue old;
    uint32_t status = findPair(text, letter, key, range, old);
    if (status == UTL_S_OK) {
        // An unquoted old value holding a quote cannot be replaced without
        // unbalancing the quotes of the text.
        if (!old.quoted &&
            std::u16string_view(text + old.start, old.length).find(u'"') != std::u16string_view::npos)
            return UTL_E_FAIL;
        std::u16string replacement = old.quoted ? std::u16string(value) : u'"' + std::u16string(value) + u'"';
        if (length - old.length + replacement.size() + 1 > size) return UTL_E_INSUFFICIENT_BUFFER;
        splice(text, length, old.start, old.length, replacement);
        return UTL_S_OK;
    }
    if (status != UTL_S_FALSE) return UTL_E_FAIL;
    if (findSwitch(text, letter, range) != UTL_S_OK) return UTL_S_FALSE;
    std::u16string pair = u' ' + std::u16string(key) + u"=\"" + std::u16string(value) + u'"';
    if (length + pair.size() + 1 > size) return UTL_E_INSUFFICIENT_BUFFER;
    // Before the blank that precedes the next switch's slash, so that the
    // next switch still follows a blank.
    size_t at = range.end < length && isBlank(text[range.end - 1]) ? range.end - 1 : range.end;
    splice(text, length, at, 0, pair);
    return UTL_S_OK;
}

}  // namespace

extern "C" uint32_t UtlSetParamKey(char16_t* text, uint32_t size, char16_t letter, const char16_t* key,
                                   const char16_t* value)
{
    if (!text || !key || !value) return UTL_E_INVALIDARG;
    std::u16string_view keyText = key;
    std::u16string_view valueText = value;
    if (!isWritableKey(keyText) || valueText.find(u'"') != std::u16string_view::npos) return UTL_E_INVALIDARG;
    return guarded(UTL_E_FAIL, [&] { return setPair(text, size, letter, keyText, valueText); });
}
