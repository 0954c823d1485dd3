#pragma once
// One message of an alarm setup file: the text shown for a trigger and a
// trigger value. Items other than the trigger index, the value text and the
// message text are only carried.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace logora {

class ArchiveReader;

struct CMsg
{
    int32_t triggerIndex = 0;  // position of the owning trigger
    std::string valueText;     // trigger value as decimal text
    std::string messageText;
    std::array<int32_t, 3> numbers{};  // message numbers 1 to 3
    std::array<uint8_t, 4> flags{};    // message flags 1 to 4

    // Reads one message record of a setup file of `version`. A message
    // without a value text has no message text either.
    bool Read(ArchiveReader& archive, int32_t version);

    // The fewest bytes a record can take in any version: two ints, one
    // string of one length byte, three flag bytes and two ints.
    static constexpr size_t kMinBytes = 4 + 1 + 3 + 2 * 4;
};

// The value of `text` read as the C library's atoi does: leading white
// space, an optional sign, then digits up to the first other character; no
// digits give 0. Values beyond the int range are clamped to it.
int32_t AtoiValue(std::string_view text);

}  // namespace logora
