#pragma once
// The time texts of the alarm table, byte for byte what the shared date
// formatting gives, without a printf per value: an alarm table has two per
// record and millions of records.

#include <cstdint>
#include <cstring>
#include <string_view>

#include "common/bytes/ByteGroups.h"
#include "logora/engine/dbf/DecimalDigits.h"
#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/LocalClock.h"

namespace logora {

// Unix times as FormatUnixDateTime writes them (the user's short date, then
// " %02d:%02d:%02d" in local time). The date part is formatted once per
// local day; the time of day is put together here from the local clock, and
// a time in the same local minute as the one before only rewrites the
// seconds of its text.
class LocalTimeText
{
public:
    // The room the dates are written for (CDataFormatHelper::FormatCalendarDate).
    static constexpr size_t kCapacity = 100;
    // Room the text of Format needs.
    static constexpr size_t kRoom = CDataFormatHelper::DateTextRoom(kCapacity);

    // The text of `seconds`, valid until the next call. `secondsOnly` tells
    // whether it is the text before with no more than its seconds rewritten.
    std::string_view Text(int64_t seconds, bool& secondsOnly)
    {
        secondsOnly = seconds >= sameFirst_ && seconds <= sameLast_;
        if (secondsOnly) {
            TwoDigits(static_cast<int>(seconds - minuteStart_), text_ + length_ - 2);
        } else {
            Compose(seconds);
        }
        return std::string_view(text_, length_);
    }
    // Writes the text of `seconds` to `out` (kRoom bytes) and returns its length.
    size_t Format(int64_t seconds, char* out);
    // Copies a text of Text (9 bytes at the least) to `out`: its seconds
    // apart from the rest, so that the copy does not read them in one with
    // bytes they were just written beside (which stalls the processor).
    static void CopyText(std::string_view text, char* out)
    {
        const size_t rest = text.size() - 2;
        CopyFewBytes(out, text.data(), rest);
        std::memcpy(out + rest, text.data() + rest, 2);
    }

private:
    // The two digits of `value` (0 to 99) in one store, which a copy of the
    // two bytes then reads at once.
    static void TwoDigits(int value, char* out) { std::memcpy(out, decimal::kDigitPairs + 2 * value, 2); }

    // Text of `seconds` put together from its local time.
    void Compose(int64_t seconds);

    char text_[kRoom] = {};
    size_t length_ = 0;
    // The times from sameFirst_ to sameLast_ lie in the local minute of
    // text_ at one offset from UTC, which begins at minuteStart_ (all three
    // in UTC); none while sameFirst_ > sameLast_.
    int64_t sameFirst_ = 1;
    int64_t sameLast_ = 0;
    int64_t minuteStart_ = 0;
    // The date part of the day cachedDay_.
    char date_[kRoom] = {};
    size_t dateLength_ = 0;
    int64_t cachedDay_ = -1;
    LocalClock clock_;
};

}  // namespace logora
