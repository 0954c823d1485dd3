
#include <windows.h>

#include "platform/compound/CompoundNames.h"
#include "platform/win32/WideText.h"

namespace platform {

std::u16string CompoundNameKey(std::string_view utf8Name)
{
    std::wstring wide = Widen(utf8Name);
    // Unit by unit, as the format compares names; surrogate halves stay.
    for (wchar_t& unit : wide) {
        if (unit < 0xD800 || unit > 0xDFFF) CharUpperBuffW(&unit, 1);
    }
    return std::u16string(wide.begin(), wide.end());
}

int CompareCompoundNames(std::string_view a, std::string_view b)
{
    const std::u16string keyA = CompoundNameKey(a);
    const std::u16string keyB = CompoundNameKey(b);
    if (keyA.size() != keyB.size()) return keyA.size() < keyB.size() ? -1 : 1;
    return keyA.compare(keyB);
}

}  // namespace platform
