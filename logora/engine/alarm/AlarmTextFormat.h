#pragma once
// The time texts of the alarm table, byte for byte what the shared date
// formatting gives, without a printf per value: an alarm table has two per
// record and millions of records.

#include <cstdint>
#include <string_view>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/LocalClock.h"

namespace logora {

// Unix times as FormatUnixDateTime writes them (the user's short date, then
// " %02d:%02d:%02d" in local time). The date part is formatted once per
// local day; the time of day is put together here from the local clock.
class CLocalTimeText
{
public:
    // The text stays valid until the next Format.
    std::string_view Format(int64_t seconds);

private:
    static constexpr size_t kCapacity = 100;

    // The date part of the day cachedDay_, then the time of day.
    char text_[CDataFormatHelper::DateTextRoom(kCapacity)] = {};
    size_t dateLength_ = 0;
    int64_t cachedDay_ = -1;
    LocalClock clock_;
};

}  // namespace logora
