#include "logora/ui/graphon/MinMaxPyramid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace logora::ui {

void ValueRange::include(double v)
{
    if (std::isnan(v)) return;
    if (empty) {
        min = max = v;
        empty = false;
    } else {
        min = std::min(min, v);
        max = std::max(max, v);
    }
}

void ValueRange::include(const ValueRange& other)
{
    if (other.empty) return;
    include(other.min);
    include(other.max);
}

void MinMaxPyramid::Build(const std::vector<double>& values)
{
    values_ = &values;
    levels_.clear();
    // Comparisons with NaN are false, so missing values drop out without a
    // test of their own, and an empty block keeps min > max.
    constexpr double kInfinity = std::numeric_limits<double>::infinity();
    size_t count = values.size();
    while (count > kFanOut) {
        size_t blocks = (count + kFanOut - 1) / kFanOut;
        std::vector<Extremes> level(blocks, Extremes{kInfinity, -kInfinity});
        for (size_t i = 0; i < count; ++i) {
            Extremes& block = level[i / kFanOut];
            double low = levels_.empty() ? values[i] : levels_.back()[i].min;
            double high = levels_.empty() ? values[i] : levels_.back()[i].max;
            block.min = low < block.min ? low : block.min;
            block.max = high > block.max ? high : block.max;
        }
        levels_.push_back(std::move(level));
        count = blocks;
    }
}

ValueRange MinMaxPyramid::Query(size_t first, size_t last) const
{
    ValueRange result;
    if (!values_) return result;
    last = std::min(last, values_->size());
    double min = std::numeric_limits<double>::infinity(), max = -min;
    size_t level = 0;  // 0 = raw values, k = levels_[k - 1]
    auto take = [&](size_t i) {
        double low = level == 0 ? (*values_)[i] : levels_[level - 1][i].min;
        double high = level == 0 ? (*values_)[i] : levels_[level - 1][i].max;
        min = low < min ? low : min;
        max = high > max ? high : max;
    };
    // Walk up: take the unaligned ends at each level, continue with whole
    // blocks one level higher.
    while (first < last) {
        if (level == levels_.size() || last - first < kFanOut) {
            for (size_t i = first; i < last; ++i) take(i);
            break;
        }
        for (; first < last && first % kFanOut != 0; ++first) take(first);
        while (last > first && last % kFanOut != 0) take(--last);
        first /= kFanOut;
        last /= kFanOut;
        ++level;
    }
    if (min <= max) result = {min, max, false};
    return result;
}

}  // namespace logora::ui
