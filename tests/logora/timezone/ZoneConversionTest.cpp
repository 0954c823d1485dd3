// The zone record conversion against the C library's own conversion of the
// same zone, for the years in which the zone's current rule holds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>

#include "logora/engine/timezone/CalendarTime.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/timezone/YearSegments.h"
#include "logora/engine/timezone/ZoneRecordRule.h"
#include "platform/tzdb/ZoneDatabase.h"
#include "platform/tzdb/ZoneList.h"
#include "tests/logora/timezone/TzEnvironment.h"

namespace logora {
namespace {

const std::string kRoot = "/usr/share/zoneinfo";
constexpr int64_t kLastUnsignedStamp = 4294967295LL;

CalendarTime libcLocal(int64_t t)
{
    time_t value = static_cast<time_t>(t);
    struct tm local
    {
    };
    localtime_r(&value, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
            local.tm_min,         local.tm_sec,     local.tm_wday};
}

std::string text(const CalendarTime& c)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d w%d", c.year, c.month, c.day, c.hour,
                  c.minute, c.second, c.dayOfWeek);
    return buffer;
}

// Instants to try in one UTC year: spread over the year, and a few seconds
// around each offset change of the record.
std::vector<int64_t> probesOfYear(int year, const TimeZoneRecord& record, std::mt19937_64& random)
{
    int64_t start = DaysFromCivil(year, 1, 1) * 86400;
    int64_t end = DaysFromCivil(year + 1, 1, 1) * 86400;
    std::vector<int64_t> probes;
    std::uniform_int_distribution<int64_t> anywhere(start, end - 1);
    for (int i = 0; i < 40; ++i) probes.push_back(anywhere(random));
    for (const OffsetSegment& segment : ZoneRecordSegments(record)(start, end)) {
        for (int64_t delta : {-3601, -61, -1, 0, 1, 60, 3600}) probes.push_back(segment.start + delta);
    }
    return probes;
}

TEST(ZoneConversionTest, MatchesTheCLibraryWhereTheRuleHolds)
{
    auto zones = platform::ReadZoneList(kRoot);
    auto rules = platform::ReadZoneRules(kRoot, zones);
    ASSERT_GT(rules.size(), 300u);
    std::mt19937_64 random(20261208);
    size_t zonesChecked = 0;
    for (const platform::ZoneRule& rule : rules) {
        // Approximated rules (times outside the day) cannot match every year.
        if (!rule.exact) continue;
        ScopedTz tz(rule.name);
        TimeZoneRecord record = TimeZoneRecordFromRule(rule);
        OffsetClock cached(ZoneRecordSegments(record));
        int firstYear = std::max(
            2027, YearOfSeconds(rule.lastListedTransition == INT64_MIN ? 0 : rule.lastListedTransition) + 1);
        for (int year = firstYear; year < firstYear + 3 && year < 2106; ++year) {
            for (int64_t t : probesOfYear(year, record, random)) {
                if (t < 0 || t > kLastUnsignedStamp) continue;
                CalendarTime expected = libcLocal(t);
                CalendarTime perCall = BreakDownSeconds(t + UtcOffsetSecondsAt(record, t));
                ASSERT_EQ(text(perCall), text(expected)) << rule.name << " at " << t;
                ASSERT_EQ(text(cached.ToLocal(t)), text(expected)) << rule.name << " cached at " << t;
            }
        }
        ++zonesChecked;
    }
    EXPECT_GT(zonesChecked, 300u);
}

TEST(ZoneConversionTest, ApproximatedZonesMatchInMostYears)
{
    // Gaza's "Saturday after the fourth Thursday" and the like: the nearest
    // yearly record matches the C library at least in the common case.
    for (const char* zone : {"Asia/Jerusalem", "America/Nuuk", "Asia/Gaza"}) {
        auto rule = platform::ReadZoneRule(kRoot, zone);
        ASSERT_TRUE(rule.has_value()) << zone;
        EXPECT_FALSE(rule->exact) << zone;
        ScopedTz tz(zone);
        TimeZoneRecord record = TimeZoneRecordFromRule(*rule);
        int firstYear = YearOfSeconds(rule->lastListedTransition) + 1;
        int lastYear = std::min(firstYear + 20, 2105);
        int matchingYears = 0;
        for (int year = firstYear; year <= lastYear; ++year) {
            bool same = true;
            for (int day = 0; day < 365 && same; ++day) {
                int64_t t = (DaysFromCivil(year, 1, 1) + day) * 86400 + 12 * 3600;
                same = text(BreakDownSeconds(t + UtcOffsetSecondsAt(record, t))) == text(libcLocal(t));
            }
            matchingYears += same ? 1 : 0;
        }
        EXPECT_GE(matchingYears * 2, lastYear - firstYear + 1) << zone << " from " << firstYear;
    }
}

TEST(ZoneConversionTest, LocalTimeSegmentsMatchTheCLibrary)
{
    std::mt19937_64 random(7);
    for (const char* zone : {"Europe/Berlin", "Australia/Lord_Howe", "America/Sao_Paulo", "Asia/Kolkata",
                             "Pacific/Apia", "Africa/Casablanca"}) {
        ScopedTz tz(zone);
        OffsetClock clock(LocalTimeSegments());
        std::uniform_int_distribution<int64_t> anywhere(0, kLastUnsignedStamp);
        for (int i = 0; i < 3000; ++i) {
            int64_t t = anywhere(random);
            ASSERT_EQ(text(clock.ToLocal(t)), text(libcLocal(t))) << zone << " at " << t;
        }
        // Every second around the 2026 changes of Berlin (and whatever the
        // other zones do then).
        for (int64_t base : {1774746000LL, 1792890000LL}) {
            for (int64_t t = base - 5; t <= base + 5; ++t) {
                ASSERT_EQ(text(clock.ToLocal(t)), text(libcLocal(t))) << zone << " at " << t;
            }
        }
    }
}

}  // namespace
}  // namespace logora
