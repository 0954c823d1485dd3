#include "platform/tzdb/PosixTzRule.h"

#include <gtest/gtest.h>

#include "CaseName.h"

namespace {

using platform::ParsePosixTzRule;
using platform::YearlyTransition;

struct RuleCase
{
    const char* text;
    int32_t bias;
    int32_t delta;
    bool hasDaylight;
    YearlyTransition daylightStart;
    YearlyTransition standardStart;
    bool exact;
};

void PrintTo(const RuleCase& c, std::ostream* os)
{
    *os << c.text;
}

bool sameTransition(const YearlyTransition& a, const YearlyTransition& b)
{
    return a.month == b.month && a.week == b.week && a.weekday == b.weekday && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.millisecond == b.millisecond;
}

class PosixTzRuleTest : public testing::TestWithParam<RuleCase>
{
};

TEST_P(PosixTzRuleTest, GivesTheYearlyRecordShape)
{
    const RuleCase& c = GetParam();
    auto rule = ParsePosixTzRule(c.text);
    ASSERT_TRUE(rule.has_value());
    EXPECT_EQ(rule->biasMinutes, c.bias);
    EXPECT_EQ(rule->hasDaylight, c.hasDaylight);
    EXPECT_EQ(rule->exact, c.exact);
    if (c.hasDaylight) {
        EXPECT_EQ(rule->daylightDeltaMinutes, c.delta);
        EXPECT_TRUE(sameTransition(rule->daylightStart, c.daylightStart));
        EXPECT_TRUE(sameTransition(rule->standardStart, c.standardStart));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Footers, PosixTzRuleTest,
    testing::Values(
        RuleCase{"CET-1CEST,M3.5.0,M10.5.0/3", -60, -60, true, {3, 5, 0, 2}, {10, 5, 0, 3}, true},
        RuleCase{"EST5EDT,M3.2.0,M11.1.0", 300, -60, true, {3, 2, 0, 2}, {11, 1, 0, 2}, true},
        // A daylight name without dates takes the POSIX default dates.
        RuleCase{"EST5EDT", 300, -60, true, {3, 2, 0, 2}, {11, 1, 0, 2}, true},
        // Negative daylight saving: GMT becomes standard, IST daylight time.
        RuleCase{"IST-1GMT0,M10.5.0,M3.5.0/1", 0, -60, true, {3, 5, 0, 1}, {10, 5, 0, 2}, true},
        // 24:00 is 23:59:59.999 of the same day, exact for whole seconds.
        RuleCase{"EET-2EEST,M4.5.5/0,M10.5.4/24",
                 -120,
                 -60,
                 true,
                 {4, 5, 5, 0},
                 {10, 5, 4, 23, 59, 59, 999},
                 true},
        // Times outside the day shift the weekday and are only approximate.
        RuleCase{"<-02>2<-01>,M3.5.0/-1,M10.5.0/0", 120, -60, true, {3, 5, 6, 23}, {10, 5, 0, 0}, false},
        // The Saturday after the fourth Thursday is most often the last Saturday.
        RuleCase{"EET-2EEST,M3.4.4/50,M10.4.4/50", -120, -60, true, {3, 5, 6, 2}, {10, 5, 6, 2}, false},
        RuleCase{"IST-2IDT,M3.4.4/26,M10.5.0", -120, -60, true, {3, 4, 5, 2}, {10, 5, 0, 2}, false},
        RuleCase{"<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
                 -765,
                 -60,
                 true,
                 {9, 5, 0, 2, 45},
                 {4, 1, 0, 3, 45},
                 true},
        RuleCase{"<+1030>-10:30<+11>-11,M10.1.0,M4.1.0", -630, -30, true, {10, 1, 0, 2}, {4, 1, 0, 2}, true},
        RuleCase{"<+0545>-5:45", -345, 0, false, {}, {}, true}, RuleCase{"UTC0", 0, 0, false, {}, {}, true},
        // Daylight time all year is standard time at the daylight offset.
        RuleCase{"<-03>3<-02>,0/0,J365/25", 120, 0, false, {}, {}, true},
        RuleCase{"XXX3YYY,J60,J300", 180, 0, false, {}, {}, false}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(PosixTzRuleTest, RejectsMalformedText)
{
    for (const char* text : {"", "CE-1", "CET", "CET-1CEST,M3.5.0", "CET-1CEST,M13.5.0,M10.5.0",
                             "CET-1CEST,M3.6.0,M10.5.0", "CET-1CEST,M3.5.7,M10.5.0", "<CE-1", "CET-25",
                             "CET-1CEST,M3.5.0,M10.5.0/3x", "CET-1CEST,M3.5.0/999,M10.5.0"}) {
        EXPECT_FALSE(ParsePosixTzRule(text).has_value()) << text;
    }
}

}  // namespace
