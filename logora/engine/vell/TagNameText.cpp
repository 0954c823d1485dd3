#include "logora/engine/vell/TagNameText.h"

#include "common/bytes/ByteReader.h"
#include "logora/engine/text/CodePage.h"

namespace logora::vell {

std::string FitToCharacters(std::string text, size_t limit, int codePage)
{
    if (text.size() <= limit) return text;
    size_t cut = limit;
    if (codePage == kCodePageUtf8) {
        // Step back over continuation bytes (10xxxxxx) to a character start.
        while (cut > 0 && (static_cast<uint8_t>(text[cut]) & 0xC0) == 0x80) --cut;
    } else {
        // Walk the characters from the start: a lead byte takes its trail byte.
        size_t at = 0;
        while (at < limit) {
            size_t width = IsLeadByte(codePage, static_cast<uint8_t>(text[at])) ? 2 : 1;
            if (at + width > limit) break;
            at += width;
        }
        cut = at;
    }
    text.resize(cut);
    return text;
}

std::string TagNameFromUtf16(std::string_view utf16le, size_t limit, int codePage)
{
    std::u16string name;
    name.reserve(utf16le.size() / 2);
    for (size_t at = 0; at + 1 < utf16le.size(); at += 2) {
        char16_t c = ByteReader::decode<uint16_t>(reinterpret_cast<const uint8_t*>(utf16le.data() + at));
        // The table's text column ends at a NUL; so does the name.
        if (c == u'\0') break;
        name.push_back(c);
    }
    return FitToCharacters(FromUtf16(name, codePage), limit, codePage);
}

}  // namespace logora::vell
