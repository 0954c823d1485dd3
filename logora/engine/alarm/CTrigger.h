#pragma once
// One trigger of an alarm setup file. Only the tag name is used; the other
// items are kept so that the archive stays in step, and stay empty or 0 when
// the file's version does not contain them.

#include <array>
#include <cstdint>
#include <string>

namespace logora {

class ArchiveReader;

struct CTrigger
{
    std::string tagName;
    std::array<std::string, 8> texts;  // trigger texts 1 to 8
    std::array<int32_t, 5> numbers{};  // trigger numbers 1 to 5

    // Reads one trigger record of a setup file of `version`.
    bool Read(ArchiveReader& archive, int32_t version);

    // The fewest bytes a record can take in any version: four strings of
    // one length byte, tag name included, and three ints.
    static constexpr size_t kMinBytes = 5 + 3 * 4;
};

}  // namespace logora
