#include "logora/engine/export/CsvQuoting.h"

#include <cstring>

#include "logora/engine/common/ByteGroups.h"
#include "logora/engine/text/CodePage.h"

namespace logora {

namespace {

constexpr char kSpecials[] = {'"', ',', '\n'};

uint64_t SpecialBytes(uint64_t word)
{
    uint64_t found = 0;
    for (char special : kSpecials) found |= BytesEqualTo(word, static_cast<uint8_t>(special));
    return found;
}

}  // namespace

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

size_t CsvQuoting::CopyText(char* output, const uint8_t* bytes, size_t length, bool& needsQuoting) const
{
    if (hasLeadBytes_) {
        const size_t used = TextLength(reinterpret_cast<const char*>(bytes), length);
        std::memcpy(output, bytes, used);
        needsQuoting = Needs(output, used);
        return used;
    }
    // Eight bytes at a time: copied whole, then the NUL and the special
    // bytes found among them at once.
    uint64_t specials = 0;
    size_t used = 0;
    for (; length - used >= 8; used += 8) {
        const uint64_t word = LoadEightBytes(bytes + used);
        std::memcpy(output + used, &word, 8);
        const uint64_t found = SpecialBytes(word);
        if (const uint64_t nul = ZeroBytes(word); nul != 0) {
            // Only the bytes before the NUL count.
            const size_t end = FirstMarkedByte(nul);
            needsQuoting = specials != 0 || (found != 0 && FirstMarkedByte(found) < end);
            return used + end;
        }
        specials |= found;
    }
    bool found = specials != 0;
    for (; used < length && bytes[used] != 0; ++used) {
        output[used] = static_cast<char>(bytes[used]);
        found |= special_[bytes[used]];
    }
    needsQuoting = found;
    return used;
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
