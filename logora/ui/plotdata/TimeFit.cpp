#include "logora/ui/plotdata/TimeFit.h"

#include <algorithm>

namespace logora::ui {

void TimeRange::include(double first, double last)
{
    if (empty) {
        from = first;
        to = last;
        empty = false;
        return;
    }
    from = std::min(from, first);
    to = std::max(to, last);
}

TimeRange FitTimeRange(const TimeRange& samples)
{
    const double span = samples.to - samples.from;
    const double margin = span > 0 ? span * kTimeFitMargin : kSingleInstantSpan / 2;
    return {samples.from - margin, samples.to + margin, false};
}

}  // namespace logora::ui
