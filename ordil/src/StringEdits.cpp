// Small edits of texts in the caller's buffer.
#include "ordil/include/ordil.h"
#include "ordil/src/CharClass.h"
#include "ordil/src/Text16.h"

#include <algorithm>

using namespace ordil;

namespace {

bool isSpaceOrTab(char16_t c)
{
    return c == u' ' || c == u'\t';
}

}  // namespace

extern "C" {

int UtlIsBlankStr(const char16_t* text)
{
    std::u16string_view chars = view(text);
    return std::all_of(chars.begin(), chars.end(), isBlank);
}

char16_t* UtlPadStr(char16_t* text, uint32_t length, char16_t fill)
{
    if (!text) return nullptr;
    size_t current = view(text).size();
    if (current < length) std::fill(text + current, text + length, fill);
    text[length] = u'\0';
    return text;
}

char16_t* UtlStripBlanks(char16_t* text)
{
    if (!text) return nullptr;
    std::u16string_view chars = text;
    size_t first = 0;
    while (first < chars.size() && isSpaceOrTab(chars[first])) ++first;
    size_t last = chars.size();
    while (last > first && isSpaceOrTab(chars[last - 1])) --last;
    if (first > 0)
        std::copy(text + first, text + last, text);
    text[last - first] = u'\0';
    return text;
}

// A text of a single double quote stays as it is: it has no pair to remove.
void UtlStripQuotesStr(char16_t* text)
{
    size_t size = view(text).size();
    if (size < 2 || text[0] != u'"' || text[size - 1] != u'"') return;
    std::copy(text + 1, text + size - 1, text);
    text[size - 2] = u'\0';
}

}  // extern "C"
