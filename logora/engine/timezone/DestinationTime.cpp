#include "logora/engine/timezone/DestinationTime.h"

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "logora/engine/timezone/YearSegments.h"
#include "logora/engine/timezone/ZoneRecordRule.h"

namespace logora {

DestinationZone CurrentDestinationZone(const EngineContext& context)
{
    DestinationZone destination;
    if (context.IsCommandLineMode()) {
        int offset = 0;
        if (context.run.GetTimeZoneOffset(offset)) {
            // The offset comes negated ("/tz8" gives -480): UTC - offset minutes.
            destination.kind = DestinationZone::Kind::FixedOffset;
            destination.offsetEastMinutes = -offset;
        }
        return destination;
    }
    int position = context.settings.DestTimeZone();
    if (position < 0) return destination;
    const TimeZoneTable& table = LoadTimeZoneTable();
    if (static_cast<size_t>(position) >= table.size()) return destination;
    destination.kind = DestinationZone::Kind::TableZone;
    destination.record = DecodeTimeZoneRecord(table[static_cast<size_t>(position)]->TimeZoneRecord);
    return destination;
}

OffsetClock MakeDestinationClock(const DestinationZone& destination)
{
    switch (destination.kind) {
        case DestinationZone::Kind::TableZone:
            return OffsetClock(ZoneRecordSegments(destination.record));
        case DestinationZone::Kind::FixedOffset:
            return OffsetClock(FixedOffsetSegments(destination.offsetEastMinutes * 60));
        case DestinationZone::Kind::LocalTime:
            break;
    }
    return OffsetClock(LocalTimeSegments());
}

CalendarTime ToDestinationTime(const EngineContext& context, uint32_t time)
{
    DestinationZone destination = CurrentDestinationZone(context);
    switch (destination.kind) {
        case DestinationZone::Kind::TableZone:
            return BreakDownSeconds(time + UtcOffsetSecondsAt(destination.record, time));
        case DestinationZone::Kind::FixedOffset:
            return BreakDownSeconds(time + int64_t{destination.offsetEastMinutes} * 60);
        case DestinationZone::Kind::LocalTime:
            break;
    }
    return LocalCalendarTime(time);
}

}  // namespace logora
