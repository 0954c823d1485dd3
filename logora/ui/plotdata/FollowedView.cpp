#include "logora/ui/plotdata/FollowedView.h"

namespace logora::ui {

TimeRange FollowedTimeRange(const TimeRange& shown, const TimeRange& before, double newest)
{
    if (before.empty) return FitTimeRange({newest, newest, false});
    if (shown.to < before.to || newest <= before.to) return shown;
    if (shown.from <= before.from) return FitTimeRange({before.from, newest, false});
    const double grown = newest - before.to;
    return {shown.from + grown, shown.to + grown, false};
}

}  // namespace logora::ui
