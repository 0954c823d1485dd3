#pragma once
// Turns UTC time stamps into local calendar time through a per-year cache of
// offset changes, so that converting one record searches nothing and asks no
// time zone machinery: the UTC offsets of a whole year are worked out once,
// when the first time stamp of that year arrives.

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "logora/engine/timezone/CalendarTime.h"

namespace logora {

// From `start` (UTC seconds) until the next segment or the end of the year,
// local time is UTC plus `offsetSeconds`.
struct OffsetSegment
{
    int64_t start = 0;
    int32_t offsetSeconds = 0;
};

// The segments of the UTC year [yearStart, yearEnd): sorted, the first one
// starting at yearStart.
using YearSegmentsBuilder = std::function<std::vector<OffsetSegment>(int64_t yearStart, int64_t yearEnd)>;

class OffsetClock
{
public:
    explicit OffsetClock(YearSegmentsBuilder builder) : builder_(std::move(builder)) {}

    CalendarTime ToLocal(int64_t utcSeconds)
    {
        if (utcSeconds < from_ || utcSeconds >= until_) selectSegment(utcSeconds);
        return BreakDownSeconds(utcSeconds + offset_);
    }

    // The offset in force at the instant (local time minus UTC, seconds).
    int32_t OffsetAt(int64_t utcSeconds)
    {
        if (utcSeconds < from_ || utcSeconds >= until_) selectSegment(utcSeconds);
        return offset_;
    }

private:
    void selectSegment(int64_t utcSeconds);

    YearSegmentsBuilder builder_;
    std::map<int, std::vector<OffsetSegment>> years_;
    int64_t from_ = 0;
    int64_t until_ = 0;  // empty range: the first call selects a segment
    int32_t offset_ = 0;
};

// Segments of a time zone whose offset never changes.
YearSegmentsBuilder FixedOffsetSegments(int32_t offsetSeconds);

}  // namespace logora
