#pragma once
// A time zone's current yearly rule, in the shape of a yearly transition
// record: offsets in minutes with the sign of "minutes to add to local time to
// get UTC", and the two transitions as "month, week of month, weekday, time".

#include <cstdint>
#include <limits>
#include <string>

namespace platform {

// One yearly transition: the `week`-th `weekday` (0 = Sunday) of `month`
// (1-12), week 5 meaning the last one, at the given local time of day.
struct YearlyTransition
{
    uint16_t month = 0;
    uint16_t week = 0;
    uint16_t weekday = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t millisecond = 0;
};

struct ZoneRule
{
    std::string name;
    // Minutes to add to local standard time to get UTC (UTC+01:00 gives -60).
    int32_t biasMinutes = 0;
    // Minutes added to the bias while daylight time is in force (usually -60).
    int32_t daylightDeltaMinutes = 0;
    bool hasDaylight = false;
    // When daylight time begins, read as local standard time.
    YearlyTransition daylightStart;
    // When daylight time ends, read as local daylight time.
    YearlyTransition standardStart;
    // False when the rule string had no exact yearly form and the transitions
    // above are the nearest approximation (see PosixTzRule.cpp).
    bool exact = true;
    // UTC seconds of the last transition listed in the zone's table (before
    // the yearly rule takes over); lowest value when the table lists none.
    int64_t lastListedTransition = std::numeric_limits<int64_t>::min();
};

}  // namespace platform
