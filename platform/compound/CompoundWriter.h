#pragma once
// Writes a compound file from a list of elements, for the sample generators
// and the tests. Paths use '/' between storage names: "Alarms" is a stream of
// the root, "DataSets/Batch 1" a stream of the storage "DataSets"; a path
// ending in '/' declares a storage that may stay empty.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct CompoundElement
{
    std::string path;
    std::vector<uint8_t> bytes;
};

// False when the file cannot be created or written.
bool WriteCompoundFile(const std::string& path, const std::vector<CompoundElement>& elements);
// The bytes of that compound file, made in memory; nothing when it cannot be made.
std::optional<std::vector<uint8_t>> CompoundFileBytes(const std::vector<CompoundElement>& elements);

}  // namespace platform
