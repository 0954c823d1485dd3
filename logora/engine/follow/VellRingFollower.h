#pragma once
// Follows a Vell datalog whose ring the runtime advances: records are added
// behind the newest one, and once the ring is full each overwrites the
// oldest. Remembered: the header's count, oldest and newest as read, and the
// slot and bytes of the newest record read; new records are those behind
// that slot in the ring order of the header read now.

#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/follow/InputFollower.h"
#include "logora/engine/vell/VellFormat.h"

namespace logora {

class VellRingFollower : public InputFollower
{
public:
    // The first `recordsRead` records of the ring as `headerRead` describes
    // it (as it is now when empty) count as read. When that ring has
    // wrapped, they must be all of its records.
    VellRingFollower(std::string path, int64_t recordsRead, std::vector<uint8_t> headerRead);

    int64_t RecordsRead() const override { return read_; }
    InputGrowth Look() override;

private:
    static constexpr int64_t kAll = INT64_MAX;

    // Reads the header and the records behind the newest one read, up to
    // place `upTo` of the ring order: their bytes only when `keep` (the
    // first look needs just where they end).
    InputGrowth ReadBehindNewest(bool keep, int64_t upTo);

    std::string path_;
    // Until the first look: the header the records read were planned from.
    std::vector<uint8_t> headerRead_;
    int64_t read_ = 0;
    // File slot of the newest record read; -1 before any.
    int64_t newestSlot_ = -1;
    uint8_t newestBytes_[vell::kRecordSize] = {};
    std::string moved_;
};

}  // namespace logora
