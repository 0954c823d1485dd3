#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/tzdb/CurrentZone.h"
#include "platform/tzdb/ZoneDatabase.h"
#include "platform/tzdb/ZoneList.h"

#include "CaseName.h"

namespace {

const std::string kSystemRoot = "/usr/share/zoneinfo";

bool contains(const std::vector<std::string>& names, const std::string& name)
{
    return std::binary_search(names.begin(), names.end(), name);
}

TEST(ZoneListTest, SystemListHasZonesAndLinks)
{
    auto list = platform::ReadZoneList(kSystemRoot);
    EXPECT_TRUE(contains(list.zones, "Europe/Berlin"));
    EXPECT_TRUE(contains(list.zones, "Etc/UTC"));
    EXPECT_FALSE(contains(list.zones, "Factory"));
    EXPECT_EQ(platform::ResolveZoneName(list, "Europe/Kiev"), "Europe/Kyiv");
    EXPECT_EQ(platform::ResolveZoneName(list, "Europe/Berlin"), "Europe/Berlin");
}

TEST(ZoneListTest, FallsBackToZoneTab)
{
    auto root = std::filesystem::temp_directory_path() / ("tzdb-list-" + std::to_string(::getpid()));
    std::filesystem::create_directories(root);
    std::ofstream(root / "zone.tab")
        << "# comment\nDE\t+5230+01322\tEurope/Berlin\nJP\t+353916+1394441\tAsia/Tokyo\n";
    auto list = platform::ReadZoneList(root.string());
    EXPECT_EQ(list.zones, (std::vector<std::string>{"Asia/Tokyo", "Etc/UTC", "Europe/Berlin"}));
    std::filesystem::remove_all(root);
}

TEST(ZoneListTest, EveryListedZoneHasARule)
{
    auto list = platform::ReadZoneList(kSystemRoot);
    auto rules = platform::ReadZoneRules(kSystemRoot, list);
    EXPECT_EQ(rules.size(), list.zones.size());
    auto berlin = platform::ReadZoneRule(kSystemRoot, "Europe/Berlin");
    ASSERT_TRUE(berlin.has_value());
    EXPECT_EQ(berlin->biasMinutes, -60);
    EXPECT_TRUE(berlin->hasDaylight);
    EXPECT_FALSE(platform::ReadZoneRule(kSystemRoot, "No/Such_Zone").has_value());
    EXPECT_FALSE(platform::ReadZoneRule(kSystemRoot, "zone.tab").has_value());
}

struct CurrentZoneCase
{
    const char* tz;  // null: unset
    const char* expected;
};

void PrintTo(const CurrentZoneCase& c, std::ostream* os)
{
    *os << "TZ=" << c.tz;
}

class CurrentZoneTest : public testing::TestWithParam<CurrentZoneCase>
{
};

TEST_P(CurrentZoneTest, ComesFromTz)
{
    const char* saved = std::getenv("TZ");
    std::string restore = saved ? saved : "";
    setenv("TZ", GetParam().tz, 1);
    EXPECT_EQ(platform::CurrentZoneName(kSystemRoot), GetParam().expected);
    if (saved) {
        setenv("TZ", restore.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
}

INSTANTIATE_TEST_SUITE_P(Settings, CurrentZoneTest,
                         testing::Values(CurrentZoneCase{"Europe/Berlin", "Europe/Berlin"},
                                         CurrentZoneCase{":Asia/Tokyo", "Asia/Tokyo"},
                                         CurrentZoneCase{"/usr/share/zoneinfo/America/Nuuk", "America/Nuuk"},
                                         CurrentZoneCase{"", "Etc/UTC"},
                                         CurrentZoneCase{"CET-1CEST,M3.5.0,M10.5.0/3", ""},
                                         CurrentZoneCase{"../../etc/passwd", ""},
                                         CurrentZoneCase{"../../../../../../etc/passwd", ""}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.tz); });

TEST(ZoneListTest, ZoneNameFromPath)
{
    EXPECT_EQ(platform::ZoneNameFromPath("/usr/share/zoneinfo/Etc/UTC", kSystemRoot), "Etc/UTC");
    EXPECT_EQ(platform::ZoneNameFromPath("/opt/tz/zoneinfo/Asia/Tokyo", kSystemRoot), "Asia/Tokyo");
    EXPECT_EQ(platform::ZoneNameFromPath("/etc/other", kSystemRoot), "");
    EXPECT_EQ(platform::ZoneNameFromPath("Europe/Paris", kSystemRoot), "Europe/Paris");
}

}  // namespace
