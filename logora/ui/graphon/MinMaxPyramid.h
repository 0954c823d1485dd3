#pragma once
// Range minimum/maximum over a series of values in O(log n) per query, so a
// chart can draw a million samples as one vertical stroke per pixel column.
// Missing values are NaN and are skipped.

#include <cstddef>
#include <vector>

namespace logora::ui {

struct ValueRange
{
    double min = 0;
    double max = 0;
    bool empty = true;

    void include(double v);
    void include(const ValueRange& other);
};

class MinMaxPyramid
{
public:
    // Rebuilds the summary levels over `values`, which must outlive the
    // pyramid or the next Build.
    void Build(const std::vector<double>& values);
    // Min/max of values[first, last).
    ValueRange Query(size_t first, size_t last) const;

private:
    // A block's extremes; min > max for a block without values.
    struct Extremes
    {
        double min, max;
    };
    // 32 values a block keep the summaries at a twentieth of the values' size.
    static constexpr size_t kFanOut = 32;
    const std::vector<double>* values_ = nullptr;
    std::vector<std::vector<Extremes>> levels_;  // levels_[k] summarises kFanOut^(k+1) values per entry
};

}  // namespace logora::ui
