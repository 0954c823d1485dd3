// Block texts: a key of at most 32 characters, a vertical bar, and a value of
// at most 255 characters.
#include "ordil/include/ordil.h"
#include "ordil/src/Text16.h"

using namespace ordil;

namespace {

constexpr size_t kMaxKey = UTL_BLOCK_KEY_SIZE - 1;
constexpr size_t kMaxValue = UTL_BLOCK_VALUE_SIZE - 1;

}  // namespace

extern "C" {

void UtlBuildBlock(const char16_t* key, const char16_t* value, char16_t* block)
{
    if (!block) return;
    std::u16string_view keyText = view(key).substr(0, kMaxKey);
    copyLimited(keyText, kMaxKey, block);
    block[keyText.size()] = u'|';
    copyLimited(view(value), kMaxValue, block + keyText.size() + 1);
}

// The value is cut to 255 characters as well: a longer one never comes from a
// built block and would overrun the caller's value buffer.
void UtlSplitBlock(const char16_t* block, char16_t* key, char16_t* value)
{
    std::u16string_view text = view(block);
    size_t bar = text.find(u'|');
    std::u16string_view valueText = bar == std::u16string_view::npos ? u"" : text.substr(bar + 1);
    if (key) copyLimited(text.substr(0, bar), kMaxKey, key);
    if (value) copyLimited(valueText, kMaxValue, value);
}

}  // extern "C"
