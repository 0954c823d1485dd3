#include "logora/ui/graphon/TrendSeries.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>

namespace logora::ui {

namespace {

// Moves each sample that lies before its predecessor back to its place, in
// all columns, as an insertion sort does (stable): in place, and in about
// the time of one pass while samples stand only a few places out of order,
// as the records of one second logged out of their milliseconds' order do.
// Gives up, leaving the samples sorted up to where it got, once the samples
// moved exceed `moves`: another order is sorted faster by std::stable_sort.
bool SortNearlySorted(std::vector<double>& times, std::vector<std::vector<double>>& columns, size_t moves)
{
    for (size_t i = 1; i < times.size(); ++i) {
        const double time = times[i];
        if (!(time < times[i - 1])) continue;
        size_t to = i - 1;
        while (to > 0 && time < times[to - 1]) --to;
        const size_t count = i - to;
        if (count > moves) return false;
        moves -= count;
        auto shift = [&](std::vector<double>& column) {
            const double value = column[i];
            std::copy_backward(column.begin() + std::ptrdiff_t(to), column.begin() + std::ptrdiff_t(i),
                               column.begin() + std::ptrdiff_t(i + 1));
            column[to] = value;
        };
        shift(times);
        for (auto& column : columns) shift(column);
    }
    return true;
}

}  // namespace

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
    // Four moves a sample on average, more than out-of-turn records make.
    if (!std::is_sorted(times_.begin(), times_.end()) &&
        !SortNearlySorted(times_, values_, 4 * times_.size())) {
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
