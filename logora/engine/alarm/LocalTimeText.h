#pragma once
// The time texts of the alarm table, byte for byte what the shared date
// formatting gives, without a printf per value: an alarm table has two per
// record and millions of records.

#include <cstdint>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/LocalClock.h"

namespace logora {

// Unix times as FormatUnixDateTime writes them (the user's short date, then
// " %02d:%02d:%02d" in local time). The date part is formatted once per
// local day; the time of day is put together here from the local clock.
class LocalTimeText
{
public:
    // The room the dates are written for (CDataFormatHelper::FormatCalendarDate).
    static constexpr size_t kCapacity = 100;
    // Room the text of Format needs.
    static constexpr size_t kRoom = CDataFormatHelper::DateTextRoom(kCapacity);

    // Writes the text of `seconds` to `out` (kRoom bytes) and returns its length.
    size_t Format(int64_t seconds, char* out);

private:
    // The date part of the day cachedDay_.
    char date_[kRoom] = {};
    size_t dateLength_ = 0;
    int64_t cachedDay_ = -1;
    LocalClock clock_;
};

}  // namespace logora
