#include "platform/tzdb/PosixTzRule.h"

#include <cctype>
#include <chrono>

namespace platform {

namespace {

constexpr int32_t kSecondsPerDay = 86400;

// Reads the string one element at a time; every accessor fails on short text.
class TzCursor
{
public:
    explicit TzCursor(std::string_view text) : text_(text) {}

    bool atEnd() const { return pos_ == text_.size(); }
    char peek() const { return atEnd() ? '\0' : text_[pos_]; }
    bool take(char c)
    {
        if (peek() != c) return false;
        ++pos_;
        return true;
    }

    // A zone abbreviation: three or more letters, or anything within <>.
    bool skipName()
    {
        if (take('<')) {
            size_t close = text_.find('>', pos_);
            if (close == std::string_view::npos || close - pos_ < 3) return false;
            pos_ = close + 1;
            return true;
        }
        size_t start = pos_;
        while (!atEnd() && std::isalpha(static_cast<unsigned char>(peek()))) ++pos_;
        return pos_ - start >= 3;
    }

    bool number(int32_t maximum, int32_t& value)
    {
        size_t start = pos_;
        value = 0;
        while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek()))) {
            value = value * 10 + (peek() - '0');
            if (value > maximum) return false;
            ++pos_;
        }
        return pos_ > start;
    }

    // [+-]hh[:mm[:ss]] as seconds; rule times may reach 167 hours.
    bool signedTime(int32_t maxHours, int32_t& seconds)
    {
        int32_t sign = 1;
        if (take('-')) {
            sign = -1;
        } else {
            take('+');
        }
        int32_t hours = 0, minutes = 0, secs = 0;
        if (!number(maxHours, hours)) return false;
        if (take(':')) {
            if (!number(59, minutes)) return false;
            if (take(':') && !number(59, secs)) return false;
        }
        seconds = sign * (hours * 3600 + minutes * 60 + secs);
        return true;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

struct RuleDate
{
    bool weekForm = false;  // Mm.w.d; otherwise a day of the year (Jn or n)
    int32_t month = 0, week = 0, weekday = 0, dayOfYear = 0;
    int32_t timeSeconds = 2 * 3600;  // POSIX default: 02:00
};

bool parseRuleDate(TzCursor& cursor, RuleDate& date)
{
    if (cursor.take('M')) {
        date.weekForm = true;
        if (!cursor.number(12, date.month) || date.month < 1 || !cursor.take('.')) return false;
        if (!cursor.number(5, date.week) || date.week < 1 || !cursor.take('.')) return false;
        if (!cursor.number(6, date.weekday)) return false;
    } else if (cursor.take('J')) {
        if (!cursor.number(365, date.dayOfYear) || date.dayOfYear < 1) return false;
        date.dayOfYear -= 1;  // Jn counts from 1 and never counts 29 February
    } else if (!cursor.number(365, date.dayOfYear)) {
        return false;
    }
    if (cursor.take('/')) return cursor.signedTime(167, date.timeSeconds);
    return true;
}

// The day of the `week`-th `weekday` of a month (week 5: the last one).
std::chrono::sys_days weekdayOfMonth(int year, int month, int week, int weekday)
{
    using namespace std::chrono;
    auto ym = std::chrono::year{year} / std::chrono::month{static_cast<unsigned>(month)};
    std::chrono::weekday day{static_cast<unsigned>(weekday)};
    if (week >= 5) return sys_days(ym / day[last]);
    return sys_days(ym / day[static_cast<unsigned>(week)]);
}

// The week whose `shiftedWeekday` coincides most often with the rule's day
// moved by `dayShift` days, counted over a 28-year cycle of calendars (ties
// keep the rule's own week).
int nearestWeek(const RuleDate& date, int dayShift, int shiftedWeekday)
{
    int best = date.week, bestCount = -1;
    for (int candidate : {date.week, 1, 2, 3, 4, 5}) {
        int count = 0;
        for (int year = 2001; year <= 2028; ++year) {
            auto ruleDay =
                weekdayOfMonth(year, date.month, date.week, date.weekday) + std::chrono::days{dayShift};
            count += ruleDay == weekdayOfMonth(year, date.month, candidate, shiftedWeekday) ? 1 : 0;
        }
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

// A week-form date into the yearly record. Times of day outside 0:00 to 24:00
// (Gaza's /50, Jerusalem's /26, Nuuk's /-1) name a day that need not lie in
// the same week of the month as the rule's day, so no yearly record matches
// them in every year. Like the platform's own yearly records, they become the
// shifted weekday at the remaining time of day, in the week of the month that
// matches the rule in most years, and the rule is marked inexact. A time of
// exactly 24:00 (Cairo, Santiago) becomes 23:59:59.999 of the rule's day,
// which is exact for whole-second time stamps.
YearlyTransition toYearly(const RuleDate& date, bool& exact)
{
    YearlyTransition result;
    result.month = static_cast<uint16_t>(date.month);
    result.week = static_cast<uint16_t>(date.week);
    result.weekday = static_cast<uint16_t>(date.weekday);
    int32_t seconds = date.timeSeconds;
    if (seconds == kSecondsPerDay) {
        result.hour = 23;
        result.minute = 59;
        result.second = 59;
        result.millisecond = 999;
        return result;
    }
    if (seconds < 0 || seconds > kSecondsPerDay) {
        exact = false;
        int32_t dayShift =
            seconds >= 0 ? seconds / kSecondsPerDay : -((-seconds + kSecondsPerDay - 1) / kSecondsPerDay);
        seconds -= dayShift * kSecondsPerDay;
        int shiftedWeekday = ((date.weekday + dayShift) % 7 + 7) % 7;
        result.weekday = static_cast<uint16_t>(shiftedWeekday);
        result.week = static_cast<uint16_t>(nearestWeek(date, dayShift, shiftedWeekday));
    }
    result.hour = static_cast<uint16_t>(seconds / 3600);
    result.minute = static_cast<uint16_t>(seconds / 60 % 60);
    result.second = static_cast<uint16_t>(seconds % 60);
    return result;
}

// Day-of-year rules have no week form. The one use they have had in the
// database is daylight time all year ("0/0,J365/25"), which is kept exactly
// as a zone whose standard offset is the daylight offset; any other such rule
// is approximated by standard time only and marked inexact.
bool coversWholeYear(const RuleDate& start, const RuleDate& end, int32_t deltaSeconds)
{
    return !start.weekForm && !end.weekForm && start.dayOfYear == 0 && start.timeSeconds <= 0 &&
           end.dayOfYear >= 364 && end.timeSeconds >= kSecondsPerDay - deltaSeconds;
}

}  // namespace

std::optional<ZoneRule> ParsePosixTzRule(std::string_view text)
{
    TzCursor cursor(text);
    int32_t standardWest = 0;
    if (!cursor.skipName() || !cursor.signedTime(24, standardWest)) return std::nullopt;

    ZoneRule rule;
    // POSIX offsets count west of Greenwich, the same sign as the bias.
    rule.biasMinutes = standardWest / 60;
    rule.exact = standardWest % 60 == 0;
    if (cursor.atEnd()) return rule;

    if (!cursor.skipName()) return std::nullopt;
    int32_t daylightWest = standardWest - 3600;
    if (cursor.peek() != ',' && !cursor.atEnd() && !cursor.signedTime(24, daylightWest)) return std::nullopt;

    RuleDate start, end;
    if (cursor.atEnd()) {
        // A daylight name without dates: the POSIX default dates.
        start = {true, 3, 2, 0, 0, 2 * 3600};
        end = {true, 11, 1, 0, 0, 2 * 3600};
    } else if (!cursor.take(',') || !parseRuleDate(cursor, start) || !cursor.take(',') ||
               !parseRuleDate(cursor, end) || !cursor.atEnd()) {
        return std::nullopt;
    }

    if (daylightWest == standardWest) return rule;
    if (!start.weekForm || !end.weekForm) {
        if (coversWholeYear(start, end, standardWest - daylightWest)) {
            rule.biasMinutes = daylightWest / 60;
        } else {
            rule.exact = false;
        }
        return rule;
    }

    rule.hasDaylight = true;
    if (daylightWest > standardWest) {
        // Negative daylight saving (Europe/Dublin: "IST-1GMT0,M10.5.0,M3.5.0/1"
        // keeps summer time as the standard time). The record only knows
        // daylight time ahead of standard time, so the roles swap: the
        // "daylight" offset becomes the standard one and the two dates trade
        // places. Each date keeps reading as the local time in force before
        // it, so the swap is exact.
        rule.biasMinutes = daylightWest / 60;
        rule.daylightDeltaMinutes = (standardWest - daylightWest) / 60;
        rule.daylightStart = toYearly(end, rule.exact);
        rule.standardStart = toYearly(start, rule.exact);
    } else {
        rule.daylightDeltaMinutes = (daylightWest - standardWest) / 60;
        rule.daylightStart = toYearly(start, rule.exact);
        rule.standardStart = toYearly(end, rule.exact);
    }
    if (daylightWest % 60 != 0) rule.exact = false;
    return rule;
}

}  // namespace platform
