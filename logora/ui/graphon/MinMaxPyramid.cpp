#include "logora/ui/graphon/MinMaxPyramid.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <span>

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
    size_t count = values.size();
    while (count > kFanOut) {
        size_t blocks = (count + kFanOut - 1) / kFanOut;
        std::vector<ValueRange> level(blocks);
        for (size_t b = 0; b < blocks; ++b) {
            size_t end = std::min(count, (b + 1) * kFanOut);
            // Comparisons with NaN are false, so missing values drop out
            // without a test of their own.
            double min = std::numeric_limits<double>::infinity(), max = -min;
            if (levels_.empty()) {
                for (size_t i = b * kFanOut; i < end; ++i) {
                    min = values[i] < min ? values[i] : min;
                    max = values[i] > max ? values[i] : max;
                }
            } else {
                for (const ValueRange& range :
                     std::span(levels_.back()).subspan(b * kFanOut, end - b * kFanOut)) {
                    if (range.empty) continue;
                    min = std::min(min, range.min);
                    max = std::max(max, range.max);
                }
            }
            if (min <= max) level[b] = {min, max, false};
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
    // Walk up: take the unaligned ends at each level, continue with whole
    // blocks one level higher.
    auto takeRaw = [&](size_t i) { result.include((*values_)[i]); };
    size_t level = 0;  // 0 = raw values, k = levels_[k - 1]
    while (first < last) {
        if (level == levels_.size() || last - first < kFanOut) {
            for (size_t i = first; i < last; ++i) {
                if (level == 0)
                    takeRaw(i);
                else
                    result.include(levels_[level - 1][i]);
            }
            break;
        }
        while (first < last && first % kFanOut != 0) {
            if (level == 0)
                takeRaw(first);
            else
                result.include(levels_[level - 1][first]);
            ++first;
        }
        while (last > first && last % kFanOut != 0) {
            --last;
            if (level == 0)
                takeRaw(last);
            else
                result.include(levels_[level - 1][last]);
        }
        first /= kFanOut;
        last /= kFanOut;
        ++level;
    }
    return result;
}

}  // namespace logora::ui
