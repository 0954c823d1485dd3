#pragma once
// Bytes the caller holds in memory, read in place of a file: tests and fuzz
// harnesses hand inputs over without writing them to disk.

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>

#include "common/bytes/ByteSource.h"

namespace common {

class MemoryByteSource final : public ByteSource
{
public:
    // `bytes` must stay valid while this source is read.
    explicit MemoryByteSource(std::span<const uint8_t> bytes) : bytes_(bytes) {}
    explicit MemoryByteSource(std::string_view bytes)
        : bytes_(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size())
    {}

    uint64_t Size() const override { return bytes_.size(); }
    int64_t ReadAt(uint8_t* data, size_t length, uint64_t offset) const override
    {
        if (offset >= bytes_.size()) return 0;
        const size_t count = std::min<size_t>(length, bytes_.size() - offset);
        std::memcpy(data, bytes_.data() + offset, count);
        return static_cast<int64_t>(count);
    }

private:
    std::span<const uint8_t> bytes_;
};

}  // namespace common
