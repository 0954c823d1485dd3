#include "ordil/src/CharClass.h"

#include <string_view>

namespace ordil {

bool isValidFilenameChar(char16_t c)
{
    constexpr std::u16string_view punctuation = u" _^$~!#%&-{}()@'`+,;=[].";
    return c >= 0x80 || isAlnum(c) || punctuation.find(c) != std::u16string_view::npos;
}

}  // namespace ordil
