// The zone list of Windows, read from the registry: the rules come as the
// system stores them, with no conversion.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/tzdb/CurrentZone.h"
#include "platform/tzdb/ZoneDatabase.h"
#include "platform/tzdb/ZoneList.h"

namespace {

TEST(RegistryZones, ListHasRulesAndTheComputersZone)
{
    const std::string root = platform::ZoneInfoRoot();
    const platform::ZoneList list = platform::ReadZoneList(root);
    ASSERT_GT(list.zones.size(), 50u);
    EXPECT_TRUE(std::is_sorted(list.zones.begin(), list.zones.end()));
    EXPECT_EQ(platform::ReadZoneRules(root, list).size(), list.zones.size());

    const auto berlin = platform::ReadZoneRule(root, "W. Europe Standard Time");
    ASSERT_TRUE(berlin);
    EXPECT_EQ(berlin->biasMinutes, -60);
    EXPECT_EQ(berlin->daylightDeltaMinutes, -60);
    ASSERT_TRUE(berlin->hasDaylight);
    EXPECT_EQ(berlin->daylightStart.month, 3);
    EXPECT_EQ(berlin->daylightStart.week, 5);
    EXPECT_EQ(berlin->daylightStart.weekday, 0);
    EXPECT_EQ(berlin->standardStart.month, 10);
    EXPECT_FALSE(platform::ReadZoneRule(root, "No Such Zone"));

    const std::string current = platform::CurrentZoneName(root);
    EXPECT_NE(std::find(list.zones.begin(), list.zones.end(), current), list.zones.end()) << current;
}

}  // namespace
