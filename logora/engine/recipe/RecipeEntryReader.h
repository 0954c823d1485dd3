#pragma once
// Reads the entries of one recipe stream. Every stream starts with an offset
// table (entry i's position at byte 4 x i); entries are strings (a byte count
// including the 2-byte terminator, then UTF-16LE text) and values (a variant
// type number, then its payload). Every position and byte count is checked
// against the stream's size before it is used, and only what one entry needs
// is read.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "logora/engine/recipe/RecipeVariant.h"
#include "platform/compound/CompoundStream.h"

namespace logora {

// Longest string entry in bytes, terminator included.
inline constexpr uint32_t kMaxRecipeStringBytes = 1048576;

class RecipeEntryReader
{
public:
    explicit RecipeEntryReader(const platform::CompoundStream& stream);

    // Moves to entry `index`; false when its offset-table slot or the
    // position it holds lies outside the stream.
    bool SeekEntry(uint32_t index);

    std::optional<uint32_t> ReadU32();
    // A count of 0 reads as an empty text. A count of 1, above the maximum,
    // odd, past the end of the stream, or without its terminator is an error.
    // The text ends at its first NUL.
    std::optional<std::u16string> ReadString();
    // Persisted objects (types 9 and 13) are an error.
    std::optional<RecipeVariant> ReadValue();

private:
    bool ReadBytes(uint8_t* out, size_t count);

    const platform::CompoundStream& stream_;
    uint64_t size_;
    uint64_t position_ = 0;
};

}  // namespace logora
