#include "vettle/BufferedReader.h"

#include <algorithm>
#include <cerrno>

namespace vettle {

BufferedReader::BufferedReader(const common::ByteSource& source, size_t window)
    : source_(source),
      size_(static_cast<int64_t>(source.Size())),
      windowSize_(window),
      window_(window + kLoadSlack)
{}

bool BufferedReader::Fill(int64_t start)
{
    windowStart_ = start;
    windowLength_ = 0;
    if (start < 0) return false;
    // A read that reaches a bad block comes back short first: only a read of
    // nothing is the end.
    while (windowLength_ < windowSize_) {
        errno = 0;
        const int64_t got = source_.ReadAt(window_.data() + windowLength_, windowSize_ - windowLength_,
                                           static_cast<uint64_t>(start) + windowLength_);
        if (got < 0) {
            failed_ = true;
            error_ = errno != 0 ? errno : EIO;
            windowLength_ = 0;
            return false;
        }
        if (got == 0) break;
        windowLength_ += static_cast<size_t>(got);
    }
    return windowLength_ > 0;
}

bool BufferedReader::ReadByteSlow(uint8_t& byte)
{
    if (!Fill(position_)) return false;
    byte = window_[0];
    ++position_;
    return true;
}

bool BufferedReader::ByteAtSlow(int64_t offset, uint8_t& byte)
{
    if (offset < 0) return false;
    const int64_t backwardStart = std::max<int64_t>(0, offset + 1 - static_cast<int64_t>(windowSize_));
    if (!Fill(offset < windowStart_ ? backwardStart : offset)) return false;
    if (offset >= windowEnd()) return false;
    byte = window_[static_cast<size_t>(offset - windowStart_)];
    return true;
}

std::string_view BufferedReader::AvailableSlow()
{
    if (!Fill(position_)) return {};
    return {reinterpret_cast<const char*>(window_.data()), windowLength_};
}

}  // namespace vettle
