#pragma once
// The time range a chart shows when it opens and after Home: its samples'
// first to last time with a small margin either side, so a log of a few
// seconds fills the chart as a log of a year does.

namespace logora::ui {

struct TimeRange
{
    double from = 0;  // seconds, as the chart's time axis counts them
    double to = 0;
    bool empty = true;

    // Widens the range to hold [from, to].
    void include(double from, double to);
};

// Share of the samples' span added before the first and after the last.
inline constexpr double kTimeFitMargin = 0.02;
// Shown around the samples of a single instant: a minute, the shortest span
// the chart is given.
inline constexpr double kSingleInstantSpan = 60;

// The view of `samples` (not empty).
TimeRange FitTimeRange(const TimeRange& samples);

}  // namespace logora::ui
