#pragma once
// One stream of a compound file, opened for reading.

#include <gsf/gsf-input.h>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/compound/GObjectPtr.h"

namespace platform {

class CompoundStream
{
public:
    explicit CompoundStream(GObjectPtr<GsfInput> input) : input_(std::move(input)) {}

    uint64_t size() const;
    // Copies up to out.size() bytes from `offset`; returns how many were read
    // (fewer at the end of the stream, 0 beyond it).
    size_t readAt(uint64_t offset, std::span<uint8_t> out) const;
    // The whole content; empty optional when the stream cannot be read.
    std::optional<std::vector<uint8_t>> readAll() const;

private:
    GObjectPtr<GsfInput> input_;
};

}  // namespace platform
