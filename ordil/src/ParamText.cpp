#include "ordil/src/ParamText.h"

#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/Text16.h"

namespace ordil {

namespace {

constexpr size_t kNone = std::u16string_view::npos;

PairValue valueAt(std::u16string_view range, size_t start)
{
    PairValue value;
    value.quoted = start < range.size() && range[start] == u'"';
    value.start = value.quoted ? start + 1 : start;
    size_t end = value.start;
    while (end < range.size() && (value.quoted ? range[end] != u'"' : !isBlank(range[end]))) ++end;
    value.length = end - value.start;
    return value;
}

// Keys are compared over their own length, as the callers' texts were
// always read: "key=5" holds the key "ke" too.
bool startsWithKey(std::u16string_view word, std::u16string_view key)
{
    return word.size() >= key.size() && equalsIgnoringCase(word.substr(0, key.size()), key);
}

}  // namespace

uint32_t findSwitch(std::u16string_view text, char16_t letter, SwitchRange& range)
{
    letter = toUpper(letter);
    // A blank after a slash ends the word: it never makes a switch.
    bool canMatch = letter != u'\0' && !isBlank(letter);
    bool inQuotes = false;
    bool wordStart = true;
    size_t start = kNone;
    size_t end = kNone;
    for (size_t i = 0; i < text.size(); ++i) {
        char16_t c = text[i];
        if (c == u'"') {
            inQuotes = !inQuotes;
            wordStart = false;
        } else if (!inQuotes && isBlank(c)) {
            wordStart = true;
        } else {
            if (!inQuotes && c == u'/' && wordStart) {
                if (start == kNone && canMatch && i + 1 < text.size() && toUpper(text[i + 1]) == letter)
                    start = i;
                else if (start != kNone && end == kNone)
                    end = i;
            }
            wordStart = false;
        }
    }
    if (inQuotes) return UTL_E_INVALIDARG;
    if (start == kNone) return UTL_S_FALSE;
    range = {start, end == kNone ? text.size() : end};
    return UTL_S_OK;
}

uint32_t findPair(std::u16string_view text, char16_t letter, std::u16string_view key, SwitchRange& range,
                  PairValue& value)
{
    uint32_t status = findSwitch(text, letter, range);
    if (status != UTL_S_OK) return status;
    std::u16string_view scope = text.substr(0, range.end);
    bool inQuotes = false;
    size_t word = kNone;
    for (size_t i = range.start; i < scope.size(); ++i) {
        char16_t c = scope[i];
        if (!inQuotes && isBlank(c)) {
            word = kNone;
            continue;
        }
        if (!inQuotes && word == kNone) word = i;
        if (c == u'"')
            inQuotes = !inQuotes;
        else if (!inQuotes && c == u'=' && startsWithKey(scope.substr(word), key)) {
            value = valueAt(scope, i + 1);
            return UTL_S_OK;
        }
    }
    return UTL_S_FALSE;
}

}  // namespace ordil
