#include "logora/engine/timezone/OffsetClock.h"

#include <algorithm>

namespace logora {

void OffsetClock::selectSegment(int64_t utcSeconds)
{
    int year = YearOfSeconds(utcSeconds);
    int64_t yearStart = DaysFromCivil(year, 1, 1) * 86400;
    int64_t yearEnd = DaysFromCivil(year + 1, 1, 1) * 86400;
    auto cached = years_.find(year);
    if (cached == years_.end()) cached = years_.emplace(year, builder_(yearStart, yearEnd)).first;
    const std::vector<OffsetSegment>& segments = cached->second;

    // The last segment starting at or before the instant.
    auto next = std::upper_bound(segments.begin(), segments.end(), utcSeconds,
                                 [](int64_t t, const OffsetSegment& s) { return t < s.start; });
    if (next == segments.begin()) {
        // A builder that returned nothing for the year: UTC.
        from_ = yearStart;
        until_ = next == segments.end() ? yearEnd : next->start;
        offset_ = 0;
        return;
    }
    from_ = std::prev(next)->start;
    until_ = next == segments.end() ? yearEnd : next->start;
    offset_ = std::prev(next)->offsetSeconds;
}

YearSegmentsBuilder FixedOffsetSegments(int32_t offsetSeconds)
{
    return [offsetSeconds](int64_t yearStart, int64_t) {
        return std::vector<OffsetSegment>{{yearStart, offsetSeconds}};
    };
}

}  // namespace logora
