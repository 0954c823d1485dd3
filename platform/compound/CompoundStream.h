#pragma once
// One stream of a compound file, opened for reading.

#ifndef _WIN32
#include <gsf/gsf-input.h>
#endif

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#ifdef _WIN32
#include "platform/compound/ComPtr.h"
#else
#include "platform/compound/GObjectPtr.h"
#endif

namespace platform {

class CompoundStream
{
public:
#ifdef _WIN32
    explicit CompoundStream(ComPtr<IStream> stream) : stream_(std::move(stream)) {}
#else
    explicit CompoundStream(GObjectPtr<GsfInput> input) : input_(std::move(input)) {}
#endif

    uint64_t size() const;
    // Copies up to out.size() bytes from `offset`; returns how many were read
    // (fewer at the end of the stream, 0 beyond it).
    size_t readAt(uint64_t offset, std::span<uint8_t> out) const;
    // The whole content; empty optional when the stream cannot be read.
    std::optional<std::vector<uint8_t>> readAll() const
    {
        std::vector<uint8_t> bytes(static_cast<size_t>(size()));
        if (readAt(0, bytes) != bytes.size()) return std::nullopt;
        return bytes;
    }

private:
#ifdef _WIN32
    ComPtr<IStream> stream_;
#else
    GObjectPtr<GsfInput> input_;
#endif
};

}  // namespace platform
