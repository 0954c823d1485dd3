#pragma once
// The packed binary records of a Zarn .OBF datalog. The layout follows the
// length L of the container's first column: 12 gives the aligned layout
// (value at offset 12), any other length the packed one (marker at offset 9,
// value at L).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace logora {

struct ObfRecord
{
    uint32_t time = 0;  // seconds since 1 January 1970 UTC
    uint16_t milliseconds = 0;
    uint16_t tagIndex = 0;
    uint8_t commError = 0;
    uint8_t marker = 0;
    double value = 0.0;
    int32_t internal = 0;
};

class ObfLayout
{
public:
    explicit ObfLayout(uint32_t firstColumnLength);

    bool IsAligned() const { return firstColumnLength_ == kAlignedColumnLength; }
    // Bytes a record must hold for every item of this layout.
    size_t RequiredBytes() const { return requiredBytes_; }
    // The items of one record; empty when `record` is shorter than needed.
    std::optional<ObfRecord> Decode(std::span<const uint8_t> record) const;

private:
    static constexpr uint32_t kAlignedColumnLength = 12;
    uint32_t firstColumnLength_;
    size_t markerAt_;
    size_t valueAt_;
    size_t requiredBytes_;
};

}  // namespace logora
