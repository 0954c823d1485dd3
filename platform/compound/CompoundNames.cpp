#include "platform/compound/CompoundNames.h"

#include <glib.h>

namespace platform {

namespace {

char16_t UpperUnit(char16_t unit)
{
    if (unit >= 0xD800 && unit <= 0xDFFF) return unit;  // surrogate halves stay as they are
    gunichar upper = g_unichar_toupper(unit);
    return upper <= 0xFFFF ? static_cast<char16_t>(upper) : unit;
}

}  // namespace

std::u16string CompoundNameKey(std::string_view utf8Name)
{
    glong units = 0;
    gunichar2* utf16 =
        g_utf8_to_utf16(utf8Name.data(), static_cast<glong>(utf8Name.size()), nullptr, &units, nullptr);
    if (!utf16) return {};
    std::u16string key;
    key.reserve(static_cast<size_t>(units));
    for (glong i = 0; i < units; ++i) key.push_back(UpperUnit(static_cast<char16_t>(utf16[i])));
    g_free(utf16);
    return key;
}

int CompareCompoundNames(std::string_view a, std::string_view b)
{
    std::u16string keyA = CompoundNameKey(a);
    std::u16string keyB = CompoundNameKey(b);
    if (keyA.size() != keyB.size()) return keyA.size() < keyB.size() ? -1 : 1;
    return keyA.compare(keyB);
}

}  // namespace platform
