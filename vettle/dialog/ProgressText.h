#pragma once

namespace vettle {

// The whole percentage shown for a run's progress fraction, truncated. It can
// exceed 100 while the last two lines are read; a fraction that is not a
// finite, non-negative number (nothing sensible to show) gives 0.
int ProgressPercentage(double progress);

}  // namespace vettle
