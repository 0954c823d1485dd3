#include "logora/engine/timezone/YearSegments.h"

#include <algorithm>

#include "common/time/CivilCalendar.h"
#include "logora/engine/timezone/CalendarTime.h"
#include "logora/engine/timezone/ZoneRecordRule.h"
#include "platform/localtime/LocalTime.h"

namespace logora {

namespace {

// Appends a segment unless the offset stays what it was.
void appendSegment(std::vector<OffsetSegment>& segments, int64_t start, int32_t offset)
{
    if (segments.empty() || segments.back().offsetSeconds != offset) segments.push_back({start, offset});
}

}  // namespace

YearSegmentsBuilder ZoneRecordSegments(const TimeZoneRecord& record)
{
    return [record](int64_t yearStart, int64_t yearEnd) {
        // The rule takes both transitions from the instant's year, so within
        // the year the offset can change only at those two instants.
        std::vector<int64_t> bounds{yearStart};
        int year = YearOfSeconds(yearStart);
        int64_t local = 0;
        if (record.HasDaylight()) {
            if (TransitionLocalSeconds(record.DaylightDate, year, local)) {
                bounds.push_back(local + (record.Bias + record.StandardBias) * 60);
            }
            if (TransitionLocalSeconds(record.StandardDate, year, local)) {
                bounds.push_back(local + (record.Bias + record.DaylightBias) * 60);
            }
        }
        std::sort(bounds.begin(), bounds.end());
        std::vector<OffsetSegment> segments;
        for (int64_t bound : bounds) {
            if (bound >= yearStart && bound < yearEnd)
                appendSegment(segments, bound, UtcOffsetSecondsAt(record, bound));
        }
        return segments;
    };
}

int32_t LocalUtcOffsetSeconds(int64_t utcSeconds)
{
    // The local calendar time read as if it were UTC, minus the instant: the
    // same on every C library, also those without tm_gmtoff.
    const std::optional<platform::LocalTime> local = platform::ToLocalTime(utcSeconds);
    if (!local) return 0;
    const int64_t localSeconds = DaysFromCivil(local->year, local->month, local->day) * 86400 +
                                 local->hour * 3600 + local->minute * 60 + local->second;
    return static_cast<int32_t>(localSeconds - utcSeconds);
}

YearSegmentsBuilder LocalTimeSegments()
{
    return [](int64_t yearStart, int64_t yearEnd) {
        constexpr int64_t kStep = 3600;
        std::vector<OffsetSegment> segments{{yearStart, LocalUtcOffsetSeconds(yearStart)}};
        for (int64_t probe = yearStart + kStep; probe < yearEnd + kStep; probe += kStep) {
            int64_t end = std::min(probe, yearEnd - 1);
            int32_t offset = LocalUtcOffsetSeconds(end);
            if (offset == segments.back().offsetSeconds) continue;
            // The change lies in (end - kStep, end]: find its first second.
            int64_t low = end - kStep, high = end;
            while (high - low > 1) {
                int64_t middle = low + (high - low) / 2;
                if (LocalUtcOffsetSeconds(middle) == offset) {
                    high = middle;
                } else {
                    low = middle;
                }
            }
            segments.push_back({high, offset});
        }
        return segments;
    };
}

}  // namespace logora
