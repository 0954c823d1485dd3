#include "guidara/src/Utf16.h"

namespace guidara {

std::u16string WidenBytes(const char* text)
{
    std::u16string out;
    for (const char* p = text; *p != '\0'; ++p) out.push_back(static_cast<unsigned char>(*p));
    return out;
}

}  // namespace guidara
