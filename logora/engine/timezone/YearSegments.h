#pragma once
// The per-year offset segments of the two kinds of destination zone: a time
// zone record, and the computer's own local time.

#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/timezone/TimeZoneRecord.h"

namespace logora {

// Segments that give exactly what UtcOffsetSecondsAt gives per instant.
YearSegmentsBuilder ZoneRecordSegments(const TimeZoneRecord& record);

// Segments of the C library's local time: the year is sampled every hour and
// each change is narrowed down to the second, so every offset change that
// lies an hour or more from the next one is found exactly.
YearSegmentsBuilder LocalTimeSegments();

// The C library's local-time offset (local minus UTC, seconds) at an instant.
int32_t LocalUtcOffsetSeconds(int64_t utcSeconds);

}  // namespace logora
