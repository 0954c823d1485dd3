#pragma once
// The machine's local time of Unix times, as the system breaks it down
// (platform::BreakDownLocalTime), asking the system only now and then while
// the times follow each other closely, as the records of a log do.
//
// Between two times at most kSpan apart whose offsets from UTC agree, the
// offset is taken as constant: the time zone database changes a zone's
// offset days apart at the least. A leap second, which the system shows
// as second 60, is never taken as such a time.

#include <cstdint>

#include "logora/engine/export/CalendarDate.h"

namespace logora {

class LocalClock
{
public:
    // The local time of `seconds`. False, `parts` untouched, when the
    // system cannot break it down or its year lies outside 1 to 9999.
    bool Breakdown(int64_t seconds, CalendarParts& parts);
    // The stretch of one offset from UTC known so far that holds `seconds`:
    // Breakdown takes the local time of its times from `first` to `last` as
    // the time + that offset. False when none holds it.
    bool KnownStretch(int64_t seconds, int64_t& first, int64_t& last) const
    {
        if (!known_ || seconds < first_ || seconds > last_) return false;
        first = first_;
        last = last_;
        return true;
    }

private:
    static constexpr int64_t kSpan = 3600;

    // The system's answer; `offset` is set when the answer may bound the
    // stretch of a constant offset.
    bool Ask(int64_t seconds, CalendarParts& parts, bool& bounds, int64_t& offset) const;
    // Local seconds (counted as if the local time were UTC) to their parts.
    CalendarParts PartsOf(int64_t localSeconds);

    // Times from first_ to last_ are local time = time + offset_.
    bool known_ = false;
    int64_t first_ = 0;
    int64_t last_ = 0;
    int64_t offset_ = 0;
    // The date of the day (since 1970) last taken apart.
    int64_t day_ = INT64_MIN;
    CalendarParts date_;
};

}  // namespace logora
