#include "logora/engine/timezone/ZoneRecordRule.h"

#include <gtest/gtest.h>

#include <ctime>
#include <random>

#include "logora/engine/timezone/CalendarTime.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/timezone/YearSegments.h"

namespace logora {
namespace {

// Central European rule: daylight time from the last Sunday of March 02:00
// to the last Sunday of October 03:00.
TimeZoneRecord berlin()
{
    TimeZoneRecord r;
    r.Bias = -60;
    r.DaylightBias = -60;
    r.DaylightDate = {0, 3, 0, 5, 2, 0, 0, 0};
    r.StandardDate = {0, 10, 0, 5, 3, 0, 0, 0};
    return r;
}

// Southern rule (Sydney): daylight time from the first Sunday of October
// 02:00 to the first Sunday of April 03:00.
TimeZoneRecord sydney()
{
    TimeZoneRecord r;
    r.Bias = -600;
    r.DaylightBias = -60;
    r.DaylightDate = {0, 10, 0, 1, 2, 0, 0, 0};
    r.StandardDate = {0, 4, 0, 1, 3, 0, 0, 0};
    return r;
}

CalendarTime local(const TimeZoneRecord& r, int64_t t)
{
    return BreakDownSeconds(t + UtcOffsetSecondsAt(r, t));
}

int64_t minutesOfDay(const CalendarTime& c)
{
    return c.hour * 60 + c.minute;
}

struct TransitionCase
{
    const char* name;
    TimeZoneRecord (*record)();
    int64_t utc;            // the transition instant
    int64_t beforeMinutes;  // local wall clock one minute before
    int64_t afterMinutes;   // local wall clock one minute after
};

void PrintTo(const TransitionCase& c, std::ostream* os)
{
    *os << c.name;
}

class TransitionTest : public testing::TestWithParam<TransitionCase>
{
};

TEST_P(TransitionTest, OneMinuteBeforeAndAfter)
{
    const TransitionCase& c = GetParam();
    TimeZoneRecord r = c.record();
    CalendarTime before = local(r, c.utc - 60);
    CalendarTime after = local(r, c.utc + 60);
    EXPECT_EQ(minutesOfDay(before), c.beforeMinutes);
    EXPECT_EQ(minutesOfDay(after), c.afterMinutes);
    OffsetClock clock(ZoneRecordSegments(r));
    EXPECT_EQ(minutesOfDay(clock.ToLocal(c.utc - 60)), c.beforeMinutes);
    EXPECT_EQ(minutesOfDay(clock.ToLocal(c.utc + 60)), c.afterMinutes);
}

INSTANTIATE_TEST_SUITE_P(
    Zones, TransitionTest,
    testing::Values(
        // 29 March 2026 01:00 UTC: 01:59 CET, then 03:01 CEST (one hour plus two minutes later).
        TransitionCase{"BerlinSpring", berlin, 1774746000, 1 * 60 + 59, 3 * 60 + 1},
        // 25 October 2026 01:00 UTC: 02:59 CEST, then 02:01 CET.
        TransitionCase{"BerlinAutumn", berlin, 1792890000, 2 * 60 + 59, 2 * 60 + 1},
        // 4 October 2026 02:00 AEST = 3 October 16:00 UTC.
        TransitionCase{"SydneySpring", sydney, 1791043200, 1 * 60 + 59, 3 * 60 + 1},
        // 5 April 2026 03:00 AEDT = 4 April 16:00 UTC.
        TransitionCase{"SydneyAutumn", sydney, 1775318400, 2 * 60 + 59, 2 * 60 + 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ZoneRecordRuleTest, ZoneWithoutDaylightMonthNeverAppliesDaylightTime)
{
    TimeZoneRecord r = berlin();
    r.StandardDate.month = 0;
    for (int64_t t = 0; t < 4294967295LL; t += 86400 * 7 + 3599) {
        ASSERT_FALSE(IsDaylightAt(r, t));
        ASSERT_EQ(UtcOffsetSecondsAt(r, t), 3600);
    }
}

TEST(ZoneRecordRuleTest, BiasesAddUp)
{
    TimeZoneRecord r = berlin();
    r.StandardBias = 15;   // standard time is UTC+00:45
    r.DaylightBias = -30;  // daylight time is UTC+01:30
    int64_t winter = DaysFromCivil(2030, 1, 15) * 86400;
    int64_t summer = DaysFromCivil(2030, 7, 15) * 86400;
    EXPECT_EQ(UtcOffsetSecondsAt(r, winter), 45 * 60);
    EXPECT_EQ(UtcOffsetSecondsAt(r, summer), 90 * 60);
}

TEST(ZoneRecordRuleTest, TransitionDayOfMonth)
{
    struct Case
    {
        TransitionDate date;
        int year;
        int month, day;
    };
    const Case cases[] = {
        {{0, 3, 0, 5, 2, 0, 0, 0}, 2026, 3, 29},      // last Sunday of March
        {{0, 3, 0, 5, 2, 0, 0, 0}, 2024, 3, 31},      // ... falling on the 31st
        {{0, 11, 0, 1, 2, 0, 0, 0}, 2026, 11, 1},     // first Sunday, the 1st
        {{0, 2, 4, 5, 0, 0, 0, 0}, 2024, 2, 29},      // last Thursday of a leap February
        {{0, 2, 4, 4, 0, 0, 0, 0}, 2024, 2, 22},      // fourth Thursday
        {{2026, 6, 0, 17, 0, 0, 0, 0}, 2031, 6, 17},  // an absolute date
    };
    for (const Case& c : cases) {
        int64_t seconds = 0;
        ASSERT_TRUE(TransitionLocalSeconds(c.date, c.year, seconds));
        CalendarTime t = BreakDownSeconds(seconds);
        EXPECT_EQ(t.month, c.month);
        EXPECT_EQ(t.day, c.day) << c.year;
    }
    int64_t seconds = 0;
    // 23:59:59.999 counts as the next whole second.
    ASSERT_TRUE(TransitionLocalSeconds({0, 10, 4, 5, 23, 59, 59, 999}, 2026, seconds));
    EXPECT_EQ(seconds, DaysFromCivil(2026, 10, 30) * 86400);
    for (const TransitionDate& bad :
         {TransitionDate{0, 13, 0, 1, 2, 0, 0, 0}, TransitionDate{0, 3, 7, 1, 2, 0, 0, 0},
          TransitionDate{0, 3, 0, 0, 2, 0, 0, 0}, TransitionDate{0, 3, 0, 1, 24, 0, 0, 0},
          TransitionDate{1, 2, 0, 30, 0, 0, 0, 0}}) {
        EXPECT_FALSE(TransitionLocalSeconds(bad, 2026, seconds));
    }
}

TEST(ZoneRecordRuleTest, CachedClockEqualsThePerCallRule)
{
    std::mt19937_64 random(99);
    std::uniform_int_distribution<int64_t> anywhere(0, 4294967295LL);
    TimeZoneRecord odd = sydney();
    odd.DaylightDate = {0, 1, 3, 1, 0, 30, 0, 0};  // a transition right after New Year
    for (TimeZoneRecord r : {berlin(), sydney(), odd}) {
        OffsetClock clock(ZoneRecordSegments(r));
        for (int i = 0; i < 20000; ++i) {
            int64_t t = anywhere(random);
            ASSERT_EQ(clock.OffsetAt(t), UtcOffsetSecondsAt(r, t)) << t;
        }
    }
}

TEST(CalendarTimeTest, MatchesGmtime)
{
    std::mt19937_64 random(5);
    std::uniform_int_distribution<int64_t> anywhere(-5000000000LL, 8000000000LL);
    for (int i = 0; i < 20000; ++i) {
        int64_t t = i < 3 ? int64_t{i} * 2147483648LL : anywhere(random);
        time_t value = static_cast<time_t>(t);
        struct tm utc
        {
        };
        gmtime_r(&value, &utc);
        CalendarTime c = BreakDownSeconds(t);
        ASSERT_EQ(c.year, utc.tm_year + 1900) << t;
        ASSERT_EQ(c.month, utc.tm_mon + 1) << t;
        ASSERT_EQ(c.day, utc.tm_mday) << t;
        ASSERT_EQ(c.hour * 3600 + c.minute * 60 + c.second,
                  utc.tm_hour * 3600 + utc.tm_min * 60 + utc.tm_sec);
        ASSERT_EQ(c.dayOfWeek, utc.tm_wday) << t;
        ASSERT_EQ(YearOfSeconds(t), c.year);
    }
}

}  // namespace
}  // namespace logora
