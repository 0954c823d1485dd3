#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include "logora/engine/alarm/LocalTimeText.h"
#include "logora/engine/export/CDataFormatHelper.h"

namespace {

TEST(LocalTimeText, MatchesTheSharedFormattingAcrossDaysAndZones)
{
    const char* saved = std::getenv("TZ");
    const std::string before = saved ? saved : "";
    // Steps across midnights, a daylight-saving change and back in time;
    // then times seconds apart across the changes of 2024, a leap second and
    // a change in the middle of a minute (the last zone's, at 01:00:15 on 29
    // March 2026), forwards and to and fro.
    std::vector<int64_t> times = {1,          59,         86399,      86400,      1711846800,   1711846799,
                                  1711850400, 1709280000, 1709366399, 1709366400, 253402300799, 1709280001};
    for (const int64_t change : {1710054000, 1711846800, 1730595600, 1483228826, 1774746015}) {
        for (int64_t step = -1000; step <= 1000; ++step) {
            times.push_back(change + 7 * step);
            if (step == 0) times.push_back(change);  // once more, now inside the stretch known
        }
        for (int64_t step = 1; step <= 40; ++step) {
            times.push_back(change + step);
            times.push_back(change - step);
        }
    }
    for (const char* zone :
         {"UTC", "EST5EDT", "Europe/Berlin", "right/UTC", "XXX0YYY-1,M3.5.0/1:00:15,M10.5.0/1:00:15"}) {
        setenv("TZ", zone, 1);
        tzset();
        logora::LocalTimeText cache;
        for (int64_t seconds : times) {
            char expected[logora::CDataFormatHelper::DateTextRoom(100)];
            const size_t length = logora::CDataFormatHelper::FormatUnixDateTime(seconds, expected, 100);
            char actual[logora::LocalTimeText::kRoom];
            ASSERT_EQ(std::string(actual, cache.Format(seconds, actual)), std::string(expected, length))
                << zone << " " << seconds;
        }
    }
    setenv("TZ", before.c_str(), 1);
    tzset();
}

}  // namespace
