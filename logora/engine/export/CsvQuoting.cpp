#include "logora/engine/export/CsvQuoting.h"

#include <cstring>

#include "logora/engine/text/CodePage.h"

namespace logora {

CsvQuoting::CsvQuoting(int codePage)
{
    for (char special : kSpecials) special_[static_cast<uint8_t>(special)] = true;
    for (int byte = 0; byte < 256; ++byte) {
        leadByte_[byte] = IsLeadByte(codePage, static_cast<uint8_t>(byte));
        hasLeadBytes_ = hasLeadBytes_ || leadByte_[byte];
    }
}

bool CsvQuoting::Needs(const char* text, size_t length) const
{
    if (!hasLeadBytes_) {
        bool found = false;
        for (size_t i = 0; i < length; ++i) found |= special_[static_cast<uint8_t>(text[i])];
        return found;
    }
    for (size_t i = 0; i < length; ++i) {
        uint8_t byte = static_cast<uint8_t>(text[i]);
        if (special_[byte]) return true;
        if (leadByte_[byte]) ++i;
    }
    return false;
}

bool CsvQuoting::IsPlain(std::string_view text)
{
    for (const char byte : text) {
        if (byte == '\0') return false;
        for (char special : kSpecials)
            if (byte == special) return false;
    }
    return true;
}

size_t CsvQuoting::Quote(char* output, const char* text, size_t length) const
{
    size_t used = 0;
    output[used++] = '"';
    for (size_t i = 0; i < length; ++i) {
        uint8_t byte = static_cast<uint8_t>(text[i]);
        output[used++] = text[i];
        if (leadByte_[byte] && i + 1 < length) {
            output[used++] = text[++i];
        } else if (byte == '"') {
            output[used++] = '"';
        }
    }
    output[used++] = '"';
    return used;
}

}  // namespace logora
