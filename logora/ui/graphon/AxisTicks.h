#pragma once
// Tick positions and labels for the chart's axes. Times are seconds since
// 30 December 1899 on the calendar of the recorded data (no zone shifting:
// the tables already hold the wanted local time).

#include <string>
#include <vector>

namespace logora::ui {

// Round tick times between from and to, at most about maxTicks of them, on a
// step of 1 s to 1 day (or whole days beyond) aligned to midnight.
std::vector<double> TimeTicks(double from, double to, int maxTicks);
// The step TimeTicks chose, in seconds, for label precision.
double TimeTickStep(double from, double to, int maxTicks);

// The date as the record list shows it (the user's short date).
std::string FormatTickDate(double seconds);
std::string FormatTickTime(double seconds, bool withMillis);  // "13:45:10" or "13:45:10.250"

// Round value ticks (1, 2, 5 times a power of ten) between from and to.
std::vector<double> ValueTicks(double from, double to, int maxTicks);

}  // namespace logora::ui
