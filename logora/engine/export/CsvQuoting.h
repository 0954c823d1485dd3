#pragma once
// The CSV quoting rule: a text holding a double quote, a comma or a line
// feed is written in double quotes with its double quotes doubled; a carriage
// return alone does not count. The search steps over the second byte of the
// double-byte characters of the code page, which may look like any of them.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/bytes/ByteGroups.h"

namespace logora {

class CsvQuoting
{
public:
    explicit CsvQuoting(int codePage);

    bool Needs(const char* text, size_t length) const;
    // True when `text` holds no NUL and no byte the rule looks for: a text
    // column holds it whole and needs no quoting, whatever the code page.
    static bool IsPlain(std::string_view text);
    // Copies a text column's bytes up to the first NUL to `output` and tells
    // whether the copy needs quoting, in one pass; returns the length.
    // `output` holds `length` bytes, and those beyond the copy may be
    // overwritten.
    size_t CopyText(char* output, const uint8_t* bytes, size_t length, bool& needsQuoting) const;
    // Writes the quoted form of `text` to `output` (2 × length + 2 bytes of
    // room, not overlapping `text`) and returns its length.
    size_t Quote(char* output, const char* text, size_t length) const;

private:
    static constexpr char kSpecials[] = {'"', ',', '\n'};

    // The special bytes among eight.
    static uint64_t SpecialBytes(uint64_t word)
    {
        uint64_t found = 0;
        for (char special : kSpecials) found |= BytesEqualTo(word, static_cast<uint8_t>(special));
        return found;
    }

    bool special_[256] = {};
    bool leadByte_[256] = {};
    bool hasLeadBytes_ = false;
};

// Inline: the list export calls it for every text column of every record.
inline size_t CsvQuoting::CopyText(char* output, const uint8_t* bytes, size_t length,
                                   bool& needsQuoting) const
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

}  // namespace logora
