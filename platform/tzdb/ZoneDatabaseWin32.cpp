#include "platform/tzdb/TimeZoneKeys.h"
#include "platform/tzdb/ZoneDatabase.h"

namespace platform {

std::optional<ZoneRule> ReadZoneRule(const std::string& root, const std::string& zone)
{
    return TimeZoneKeyRule(root, zone);
}

std::vector<ZoneRule> ReadZoneRules(const std::string& root, const ZoneList& zones)
{
    std::vector<ZoneRule> rules;
    for (const std::string& zone : zones.zones) {
        if (auto rule = TimeZoneKeyRule(root, zone)) rules.push_back(std::move(*rule));
    }
    return rules;
}

}  // namespace platform
