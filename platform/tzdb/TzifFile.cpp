#include "platform/tzdb/TzifFile.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr size_t kHeaderSize = 44;

// Big-endian reads that fail instead of running past the data.
class BigEndianCursor
{
public:
    explicit BigEndianCursor(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    size_t position() const { return pos_; }
    bool skip(uint64_t count)
    {
        if (count > bytes_.size() - pos_) return false;
        pos_ += static_cast<size_t>(count);
        return true;
    }
    std::optional<uint64_t> read(size_t width)
    {
        if (width > bytes_.size() - pos_) return std::nullopt;
        uint64_t value = 0;
        for (size_t i = 0; i < width; ++i) value = value << 8 | bytes_[pos_ + i];
        pos_ += width;
        return value;
    }

private:
    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

struct TzifCounts
{
    uint32_t isut = 0, isstd = 0, leap = 0, time = 0, type = 0, chars = 0;
};

std::optional<TzifCounts> readHeader(BigEndianCursor& cursor, std::span<const uint8_t> bytes, char& version)
{
    size_t start = cursor.position();
    if (bytes.size() - start < kHeaderSize || std::memcmp(bytes.data() + start, "TZif", 4) != 0)
        return std::nullopt;
    version = static_cast<char>(bytes[start + 4]);
    cursor.skip(20);
    TzifCounts counts;
    for (uint32_t* field :
         {&counts.isut, &counts.isstd, &counts.leap, &counts.time, &counts.type, &counts.chars}) {
        *field = static_cast<uint32_t>(*cursor.read(4));
    }
    return counts;
}

uint64_t dataBlockSize(const TzifCounts& c, uint64_t timeWidth)
{
    return c.time * timeWidth + c.time + c.type * 6ull + c.chars + c.leap * (timeWidth + 4) + c.isstd +
           c.isut;
}

}  // namespace

std::optional<TzifSummary> ParseTzif(std::span<const uint8_t> bytes)
{
    BigEndianCursor cursor(bytes);
    char version = 0;
    auto v1 = readHeader(cursor, bytes, version);
    if (!v1) return std::nullopt;

    TzifSummary summary;
    if (version == '\0') {
        // Version 1 files carry 32-bit times only and no footer.
        if (v1->time > 0) {
            if (!cursor.skip(4ull * (v1->time - 1))) return std::nullopt;
            auto last = cursor.read(4);
            if (!last) return std::nullopt;
            summary.lastTransition = static_cast<int32_t>(*last);
        }
        return summary;
    }

    if (!cursor.skip(dataBlockSize(*v1, 4))) return std::nullopt;
    auto v2 = readHeader(cursor, bytes, version);
    if (!v2) return std::nullopt;
    size_t transitions = cursor.position();
    if (!cursor.skip(dataBlockSize(*v2, 8))) return std::nullopt;
    if (v2->time > 0) {
        BigEndianCursor last(bytes.subspan(transitions + 8ull * (v2->time - 1), 8));
        summary.lastTransition = static_cast<int64_t>(*last.read(8));
    }

    // The footer: a newline, the rule string, a newline.
    auto rest = bytes.subspan(cursor.position());
    if (rest.empty() || rest[0] != '\n') return std::nullopt;
    auto end = std::find(rest.begin() + 1, rest.end(), uint8_t{'\n'});
    if (end == rest.end()) return std::nullopt;
    summary.footer.assign(rest.begin() + 1, end);
    return summary;
}

}  // namespace platform
