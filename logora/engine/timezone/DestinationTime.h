#pragma once
// The destination time zone of converted time stamps: the zone chosen in the
// settings ("DestTimeZone"), or in a batch run the fixed offset given on the
// command line, else the computer's local time.

#include <cstdint>

#include "logora/engine/timezone/CalendarTime.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/timezone/TimeZoneRecord.h"

namespace logora {

struct EngineContext;

struct DestinationZone
{
    enum class Kind { LocalTime, TableZone, FixedOffset };
    Kind kind = Kind::LocalTime;
    TimeZoneRecord record;          // TableZone
    int32_t offsetEastMinutes = 0;  // FixedOffset: local time = UTC + this
};

// Reads the context's run state and settings (and the zone table when a zone
// is chosen) once. A "DestTimeZone" that is no position of the table, and a
// batch run without a valid offset, give the computer's local time.
DestinationZone CurrentDestinationZone(const EngineContext& context);

// A clock for one conversion: every time stamp goes through the per-year
// cache and gives what ToDestinationTime gives for it.
OffsetClock MakeDestinationClock(const DestinationZone& destination);

// The calendar time of a time stamp in the destination, deciding the
// destination anew for this one call.
CalendarTime ToDestinationTime(const EngineContext& context, uint32_t time);

}  // namespace logora
