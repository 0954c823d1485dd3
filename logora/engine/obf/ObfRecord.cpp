#include "logora/engine/obf/ObfRecord.h"

#include <algorithm>

#include "common/bytes/ByteReader.h"

namespace logora {

namespace {

constexpr size_t kTimeAt = 0;
constexpr size_t kMillisecondsAt = 4;
constexpr size_t kTagIndexAt = 6;
constexpr size_t kCommErrorAt = 8;
constexpr size_t kAlignedMarkerAt = 10;
constexpr size_t kPackedMarkerAt = 9;
constexpr size_t kAlignedValueAt = 12;
constexpr size_t kValueSize = 8;
constexpr size_t kInternalSize = 4;

}  // namespace

ObfLayout::ObfLayout(uint32_t firstColumnLength)
    : firstColumnLength_(firstColumnLength),
      markerAt_(IsAligned() ? kAlignedMarkerAt : kPackedMarkerAt),
      valueAt_(IsAligned() ? kAlignedValueAt : firstColumnLength_),
      requiredBytes_(std::max(markerAt_ + 1, valueAt_ + kValueSize + kInternalSize))
{}

std::optional<ObfRecord> ObfLayout::Decode(std::span<const uint8_t> bytes) const
{
    if (bytes.size() < requiredBytes_) return std::nullopt;
    const ByteReader reader(bytes);
    const size_t valueAt = valueAt_;
    ObfRecord record;
    record.time = *reader.peekAt<uint32_t>(kTimeAt);
    record.milliseconds = *reader.peekAt<uint16_t>(kMillisecondsAt);
    record.tagIndex = *reader.peekAt<uint16_t>(kTagIndexAt);
    record.commError = *reader.peekAt<uint8_t>(kCommErrorAt);
    record.marker = *reader.peekAt<uint8_t>(markerAt_);
    record.value = *reader.peekAt<double>(valueAt);
    record.internal = *reader.peekAt<int32_t>(valueAt + kValueSize);
    return record;
}

}  // namespace logora
