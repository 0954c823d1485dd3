#include "logora/engine/workbook/SerialDates.h"

#include "logora/engine/export/CalendarDate.h"

namespace logora {

namespace {

constexpr int kFirstYear = 1900;
constexpr int kLastYear = 9999;
constexpr double kSecondsPerDay = 86400.0;

std::optional<double> DaySerial(const CivilTime& when)
{
    if (when.year < kFirstYear || when.year > kLastYear || !IsValidDate(when.year, when.month, when.day))
        return std::nullopt;
    const int64_t days = DaysFromCivil(when.year, when.month, when.day) - DaysFromCivil(1899, 12, 30);
    // The sheet counts a 29 February 1900 that never was: days before it
    // are one lower than the calendar gives.
    const bool beforeLeapError = when.year == kFirstYear && when.month <= 2;
    return double(beforeLeapError ? days - 1 : days);
}

std::optional<double> TimeFraction(const CivilTime& when)
{
    const bool valid = when.hour >= 0 && when.hour < 24 && when.minute >= 0 && when.minute < 60 &&
                       when.second >= 0 && when.second < 60;
    if (!valid) return std::nullopt;
    return (when.hour * 3600 + when.minute * 60 + when.second) / kSecondsPerDay;
}

}  // namespace

std::optional<double> SerialOf(const CivilTime& when, CellKind kind)
{
    switch (kind) {
        case CellKind::Date:
            return DaySerial(when);
        case CellKind::Time:
            return TimeFraction(when);
        case CellKind::DateTime: {
            const std::optional<double> day = DaySerial(when);
            const std::optional<double> time = TimeFraction(when);
            if (!day || !time) return std::nullopt;
            return *day + *time;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace logora
