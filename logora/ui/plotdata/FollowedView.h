#pragma once
// The time range a followed plot shows once its samples grew: the range the
// user chose stays, unless it showed the newest sample; then it follows the
// newest one.

#include "logora/ui/plotdata/TimeFit.h"

namespace logora::ui {

// `shown` was in view over samples spanning `before`; they now end at
// `newest`. A range that held the last sample follows: one that also held
// the first fits all samples again, one zoomed into the recent ones moves
// along by as much as they grew. Any other range stays.
TimeRange FollowedTimeRange(const TimeRange& shown, const TimeRange& before, double newest);

}  // namespace logora::ui
