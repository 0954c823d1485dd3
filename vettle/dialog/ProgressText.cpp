#include "vettle/dialog/ProgressText.h"

#include <cmath>
#include <limits>

namespace vettle {

int ProgressPercentage(double progress)
{
    if (!std::isfinite(progress) || progress <= 0.0) return 0;
    const double percent = progress * 100.0;
    if (percent >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return static_cast<int>(percent);
}

}  // namespace vettle
