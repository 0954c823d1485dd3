#pragma once
// The entries a sort orders: a 64-bit key beside the record number. Texts
// beyond the ranked few are keyed by eight bytes at a time, compared as the
// code page's unsigned bytes; a key that ends in a zero byte holds the end
// of its text.

#include <cstdint>
#include <string_view>

namespace logora::ui {

#pragma pack(push, 4)
// Key and record side by side, 12 bytes, so the sort reads memory in order
// instead of looking keys up at random.
struct KeyedRecord
{
    uint64_t key;
    uint32_t record;
};
#pragma pack(pop)

// Equal keys keep file order. An object rather than a function, so the
// sort inlines it.
struct Before
{
    bool operator()(const KeyedRecord& a, const KeyedRecord& b) const
    {
        return a.key < b.key || (a.key == b.key && a.record < b.record);
    }
};

// Eight bytes of `text` from `offset`, zero-padded, as a big-endian number.
inline uint64_t ChunkKey(std::string_view text, size_t offset = 0)
{
    uint64_t key = 0;
    for (size_t i = offset; i < offset + 8; ++i)
        key = (key << 8) | (i < text.size() ? static_cast<uint8_t>(text[i]) : 0);
    return key;
}

}  // namespace logora::ui
