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

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// Comparisons with NaN are false, so missing values drop out without a test
// of their own, and a range without values keeps min > max.
void Widen(double& min, double& max, double low, double high)
{
    min = low < min ? low : min;
    max = high > max ? high : max;
}

}  // namespace

void MinMaxPyramid::Build(const std::vector<double>& values)
{
    values_ = &values;
    levels_.clear();
    size_t count = values.size();
    while (count > kFanOut) {
        size_t blocks = (count + kFanOut - 1) / kFanOut;
        std::vector<Extremes> level(blocks);
        for (size_t b = 0; b < blocks; ++b) {
            size_t begin = b * kFanOut, end = std::min(count, begin + kFanOut);
            double min = kInfinity, max = -kInfinity;
            if (levels_.empty()) {
                // Four running extremes, so the comparisons need not wait for each other.
                double mins[4] = {kInfinity, kInfinity, kInfinity, kInfinity};
                double maxes[4] = {-kInfinity, -kInfinity, -kInfinity, -kInfinity};
                size_t i = begin;
                for (; i + 4 <= end; i += 4)
                    for (size_t k = 0; k < 4; ++k) Widen(mins[k], maxes[k], values[i + k], values[i + k]);
                for (; i < end; ++i) Widen(min, max, values[i], values[i]);
                for (size_t k = 0; k < 4; ++k) Widen(min, max, mins[k], maxes[k]);
            } else {
                for (size_t i = begin; i < end; ++i)
                    Widen(min, max, levels_.back()[i].min, levels_.back()[i].max);
            }
            level[b] = {min, max};
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
    double min = kInfinity, max = -kInfinity;
    size_t level = 0;  // 0 = raw values, k = levels_[k - 1]
    auto take = [&](size_t i) {
        if (level == 0)
            Widen(min, max, (*values_)[i], (*values_)[i]);
        else
            Widen(min, max, levels_[level - 1][i].min, levels_[level - 1][i].max);
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
