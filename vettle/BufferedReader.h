#pragma once
// A file position with a read-ahead window over a byte source. The check
// reads byte after byte, forwards through lines and backwards through the
// trailer and markers; the window turns that into a few large reads while
// every byte seen, and every position, stays what a byte-wise reader sees.

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/bytes/ByteSource.h"

namespace vettle {

class BufferedReader
{
public:
    static constexpr size_t kDefaultWindow = 256 * 1024;
    // Bytes past the end of Available() that may be loaded (their values are
    // unspecified): block-wise scans need not stop at the window's end.
    static constexpr size_t kLoadSlack = 64;

    explicit BufferedReader(const common::ByteSource& source, size_t window = kDefaultWindow);

    // The size when the reader was made: the trailer search, the split and
    // the ends of lines all measure one file, even one that changes meanwhile.
    int64_t Size() const { return size_; }
    int64_t Position() const { return position_; }
    void Seek(int64_t position) { position_ = position; }

    // True once a read of the source failed (not merely reached the end);
    // Error() then tells why, as an errno value.
    bool Failed() const { return failed_; }
    int Error() const { return error_; }

    // The byte at the position, moving past it; false at the end or on error.
    bool ReadByte(uint8_t& byte)
    {
        if (position_ >= windowStart_ && position_ < windowEnd()) {
            byte = window_[static_cast<size_t>(position_ - windowStart_)];
            ++position_;
            return true;
        }
        return ReadByteSlow(byte);
    }

    // The byte at `offset` without moving; windows towards lower offsets when
    // it has to refill, as backward scans go.
    bool ByteAt(int64_t offset, uint8_t& byte)
    {
        if (offset >= windowStart_ && offset < windowEnd()) {
            byte = window_[static_cast<size_t>(offset - windowStart_)];
            return true;
        }
        return ByteAtSlow(offset, byte);
    }

    // Up to `count` bytes that end just before `end`, as far as the window
    // holds them without a refill; empty when it holds none.
    std::string_view WindowBefore(int64_t end, size_t count) const
    {
        if (end <= windowStart_ || end > windowEnd()) return {};
        const int64_t start = std::max(windowStart_, end - static_cast<int64_t>(count));
        return {reinterpret_cast<const char*>(window_.data()) + (start - windowStart_),
                static_cast<size_t>(end - start)};
    }

    // The bytes from the position to the end of the window (refilled first
    // when empty); empty at the end or on error. Skip() consumes them.
    std::string_view Available()
    {
        if (position_ >= windowStart_ && position_ < windowEnd()) {
            const auto offset = static_cast<size_t>(position_ - windowStart_);
            return {reinterpret_cast<const char*>(window_.data()) + offset, windowLength_ - offset};
        }
        return AvailableSlow();
    }
    void Skip(size_t count) { position_ += static_cast<int64_t>(count); }

private:
    std::string_view AvailableSlow();
    bool ReadByteSlow(uint8_t& byte);
    bool ByteAtSlow(int64_t offset, uint8_t& byte);
    bool Fill(int64_t start);
    int64_t windowEnd() const { return windowStart_ + static_cast<int64_t>(windowLength_); }

    const common::ByteSource& source_;
    int64_t size_;
    size_t windowSize_;
    std::vector<uint8_t> window_;  // windowSize_ bytes and kLoadSlack more
    int64_t windowStart_ = 0;
    size_t windowLength_ = 0;
    int64_t position_ = 0;
    bool failed_ = false;
    int error_ = 0;
};

}  // namespace vettle
