#pragma once
// How a time zone record turns a UTC instant into local time, the way the
// platform's own conversion from UTC to a zone's local time does it.

#include <cstdint>

#include "logora/engine/timezone/TimeZoneRecord.h"

namespace logora {

// Seconds after 1970 of the record date's moment in `year`, read as a local
// wall clock; a moment with milliseconds rounds up to the next whole second,
// so that whole-second time stamps compare exactly as instants would.
// Nothing sensible exists for a malformed date: it gives `false`.
bool TransitionLocalSeconds(const TransitionDate& date, int year, int64_t& localSeconds);

// Whether daylight time is in force at the UTC instant. Both transition
// dates are taken from the instant's UTC year; the daylight start is read as
// local standard time, the daylight end as local daylight time. When the
// start comes after the end in the year (southern hemisphere), daylight time
// is in force outside [end, start).
bool IsDaylightAt(const TimeZoneRecord& record, int64_t utcSeconds);

// Local time minus UTC, in seconds, at the UTC instant.
int32_t UtcOffsetSecondsAt(const TimeZoneRecord& record, int64_t utcSeconds);

}  // namespace logora
