#pragma once
// The samples a chart holds: one time per sample (seconds since
// 30 December 1899, milliseconds included) and one value column per pen,
// NaN where a pen has no value. Samples are kept sorted by time so the
// visible range is found by binary search.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "logora/ui/graphon/MinMaxPyramid.h"

namespace logora::ui {

struct TrendPen
{
    std::string name;
    std::string description;
    std::string unit;
    float minimum = 0;
    float maximum = 100;
};

class TrendSeries
{
public:
    void AddPen(TrendPen pen);
    // Values beyond the pen count are dropped; missing ones stay NaN.
    void AddSample(double seconds, std::span<const std::optional<double>> values);
    // Samples in columns (one per pen, NaN where a pen has no value), as
    // AddSample takes them one by one. The first samples of a series are
    // taken over without a copy.
    void AddSamples(std::vector<double> seconds, std::vector<std::vector<double>> values);

    size_t PenCount() const { return pens_.size(); }
    const TrendPen& Pen(size_t i) const { return pens_[i]; }
    size_t SampleCount() const { return times_.size(); }
    double Time(size_t i) const { return times_[i]; }
    double Value(size_t pen, size_t i) const { return values_[pen][i]; }

    // Index of the first sample at or after `seconds`.
    size_t LowerBound(double seconds) const;
    ValueRange Range(size_t pen, size_t first, size_t last) const;

    // Sorts by time (stable) and rebuilds the summaries; cheap when nothing
    // changed since the last call.
    void Prepare();

private:
    std::vector<TrendPen> pens_;
    std::vector<double> times_;
    std::vector<std::vector<double>> values_;  // [pen][sample]
    std::vector<MinMaxPyramid> pyramids_;
    bool dirty_ = false;
};

}  // namespace logora::ui
