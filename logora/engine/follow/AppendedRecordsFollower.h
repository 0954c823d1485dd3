#pragma once
// Follows a dBASE-style input whose writer appends records and raises the
// header's record count (a Zarn data file, a Zarn .OBF datalog). Remembered:
// the header and record lengths, the record count and the bytes of the last
// record read; new records are those beyond that count.

#include <cstdint>
#include <string>
#include <vector>

#include "logora/engine/follow/InputFollower.h"

namespace logora {

class AppendedRecordsFollower : public InputFollower
{
public:
    // The first `recordsRead` records count as read; the count alone tells
    // where they end, so no header is needed.
    AppendedRecordsFollower(std::string path, int64_t recordsRead, const std::vector<uint8_t>& headerRead);

    int64_t RecordsRead() const override { return read_; }
    InputGrowth Look() override;

private:
    static constexpr int64_t kAll = INT64_MAX;

    // Reads the header and the records beyond the last one read, up to
    // record `upTo`: their bytes only when `keep` (the first look needs
    // just the last one).
    InputGrowth ReadBeyondLast(bool keep, int64_t upTo);

    std::string path_;
    int64_t read_ = 0;
    uint32_t headerLength_ = 0;
    uint32_t recordLength_ = 0;
    std::vector<uint8_t> lastRecord_;
    std::string moved_;
};

}  // namespace logora
