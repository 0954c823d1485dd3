#include "logora/ui/graphon/AxisTicks.h"

#include "logora/engine/export/CDataFormatHelper.h"

#include <array>
#include <cmath>
#include <cstdio>

#include "common/time/CivilCalendar.h"

namespace logora::ui {

namespace {

constexpr double kDay = 86400.0;
constexpr std::array<double, 22> kTimeSteps = {0.001, 0.002, 0.005, 0.01, 0.02, 0.05, 0.1, 0.2,
                                               0.5,   1,     2,     5,    10,   15,   30,  60,
                                               120,   300,   600,   900,  1800, 3600};
constexpr std::array<double, 5> kLongSteps = {3 * 3600.0, 6 * 3600.0, 12 * 3600.0, kDay, 7 * kDay};

}  // namespace

double TimeTickStep(double from, double to, int maxTicks)
{
    double span = to - from;
    if (!(span > 0) || maxTicks < 1) return 1;
    double wanted = span / maxTicks;
    for (double step : kTimeSteps)
        if (step >= wanted) return step;
    for (double step : kLongSteps)
        if (step >= wanted) return step;
    return std::ceil(wanted / (7 * kDay)) * 7 * kDay;
}

std::vector<double> TimeTicks(double from, double to, int maxTicks)
{
    std::vector<double> ticks;
    double step = TimeTickStep(from, to, maxTicks);
    for (double t = std::ceil(from / step) * step; t <= to && ticks.size() < 1000; t += step)
        ticks.push_back(t);
    return ticks;
}

std::string FormatTickDate(double seconds)
{
    int y = 0, m = 0, d = 0;
    CivilFromDays(static_cast<int64_t>(std::floor(seconds / kDay)) - kOleDaysBeforeUnixEpoch, y, m, d);
    char digits[32];
    std::snprintf(digits, sizeof digits, "%04d%02d%02d", y, m, d);
    // The list's date form, so the axis and the list read alike.
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kCsvDateCapacity + 10)];
    size_t length = CDataFormatHelper::FormatDbfDate(digits, text, CDataFormatHelper::kCsvDateCapacity + 10);
    return std::string(text, length);
}

std::string FormatTickTime(double seconds, bool withMillis)
{
    double dayStart = std::floor(seconds / kDay) * kDay;
    long long millis = std::llround((seconds - dayStart) * 1000.0);
    if (millis >= 86400000) millis = 86399999;
    char text[32];
    long long s = millis / 1000;
    if (withMillis)
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", s / 3600, s / 60 % 60, s % 60,
                      millis % 1000);
    else
        std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
    return text;
}

std::vector<double> ValueTicks(double from, double to, int maxTicks)
{
    std::vector<double> ticks;
    double span = to - from;
    if (!(span > 0) || maxTicks < 1 || !std::isfinite(span)) return ticks;
    double raw = span / maxTicks;
    double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        step = f * magnitude;
        if (step >= raw) break;
    }
    for (double v = std::ceil(from / step) * step; v <= to + step * 1e-9 && ticks.size() < 200; v += step)
        ticks.push_back(std::abs(v) < step * 1e-9 ? 0.0 : v);
    return ticks;
}

}  // namespace logora::ui
