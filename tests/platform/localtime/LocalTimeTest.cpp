// Local calendar time at the ends of the calendar, and on Windows from the
// system's time zone whatever the C runtime's TZ says.
#include "platform/localtime/LocalTime.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Noon UTC keeps the date in every time zone.
constexpr int64_t kFirstDayNoon = -62135553600;  // 0001-01-01, a Monday
constexpr int64_t kLastDayNoon = 253402257600;   // 9999-12-31, a Friday

TEST(LocalTime, TheFirstAndLastDaysOfTheCalendarBreakDownWithTheirWeekdays)
{
    const auto first = platform::ToLocalTime(kFirstDayNoon);
    ASSERT_TRUE(first);
    EXPECT_EQ((std::vector<int>{first->year, first->month, first->day, first->weekday}),
              (std::vector<int>{1, 1, 1, 1}));
    const auto last = platform::ToLocalTime(kLastDayNoon);
    ASSERT_TRUE(last);
    EXPECT_EQ((std::vector<int>{last->year, last->month, last->day, last->weekday}),
              (std::vector<int>{9999, 12, 31, 5}));
}

#ifdef _WIN32
TEST(LocalTime, WindowsFollowsItsOwnTimeZoneNotTZ)
{
    const int64_t instant = 200 * 86400 + 12 * 3600;
    const auto system = platform::ToLocalTime(instant);
    _putenv_s("TZ", "XYZ-5");
    const auto withTz = platform::ToLocalTime(instant);
    _putenv_s("TZ", "UTC");
    ASSERT_TRUE(system && withTz);
    EXPECT_EQ(withTz->hour, system->hour);
    EXPECT_EQ(withTz->day, system->day);
}
#endif

}  // namespace
