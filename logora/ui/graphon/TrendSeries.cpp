#include "logora/ui/graphon/TrendSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace logora::ui {

void TrendSeries::AddPen(TrendPen pen)
{
    pens_.push_back(std::move(pen));
    values_.emplace_back(times_.size(), std::numeric_limits<double>::quiet_NaN());
    dirty_ = true;
}

void TrendSeries::AddSample(double seconds, std::span<const std::optional<double>> values)
{
    times_.push_back(seconds);
    for (size_t p = 0; p < pens_.size(); ++p) {
        bool present = p < values.size() && values[p].has_value();
        values_[p].push_back(present ? *values[p] : std::numeric_limits<double>::quiet_NaN());
    }
    dirty_ = true;
}

void TrendSeries::AddSamples(std::vector<double> seconds, std::vector<std::vector<double>> values)
{
    const size_t first = times_.size(), added = seconds.size();
    if (first == 0) {
        times_ = std::move(seconds);
    } else {
        times_.insert(times_.end(), seconds.begin(), seconds.end());
    }
    for (size_t p = 0; p < pens_.size(); ++p) {
        std::vector<double>& column = values_[p];
        if (p < values.size() && values[p].size() == added) {
            if (first == 0)
                column = std::move(values[p]);
            else
                column.insert(column.end(), values[p].begin(), values[p].end());
        } else {
            column.resize(first + added, std::numeric_limits<double>::quiet_NaN());
        }
    }
    dirty_ = true;
}

size_t TrendSeries::LowerBound(double seconds) const
{
    return static_cast<size_t>(std::lower_bound(times_.begin(), times_.end(), seconds) - times_.begin());
}

ValueRange TrendSeries::Range(size_t pen, size_t first, size_t last) const
{
    return pyramids_[pen].Query(first, last);
}

void TrendSeries::Prepare()
{
    if (!dirty_) return;
    dirty_ = false;
    if (!std::is_sorted(times_.begin(), times_.end())) {
        std::vector<size_t> order(times_.size());
        std::iota(order.begin(), order.end(), size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&](size_t a, size_t b) { return times_[a] < times_[b]; });
        auto permute = [&](std::vector<double>& column) {
            std::vector<double> sorted(column.size());
            for (size_t i = 0; i < order.size(); ++i) sorted[i] = column[order[i]];
            column.swap(sorted);
        };
        permute(times_);
        for (auto& column : values_) permute(column);
    }
    pyramids_.resize(pens_.size());
    for (size_t p = 0; p < pens_.size(); ++p) pyramids_[p].Build(values_[p]);
}

}  // namespace logora::ui
