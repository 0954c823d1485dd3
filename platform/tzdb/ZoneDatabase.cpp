#include "platform/tzdb/ZoneDatabase.h"

#include <fstream>
#include <iterator>

#include "platform/tzdb/PosixTzRule.h"
#include "platform/tzdb/TzifFile.h"

namespace platform {

namespace {

// Compiled zone files are a few kilobytes; anything far larger is not one.
constexpr std::streamsize kMaxZoneFileSize = 1 << 20;

std::optional<std::vector<uint8_t>> readSmallFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in) return std::nullopt;
    std::streamsize size = in.tellg();
    if (size < 0 || size > kMaxZoneFileSize) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
    return bytes;
}

}  // namespace

std::optional<ZoneRule> ReadZoneRule(const std::string& root, const std::string& zone)
{
    auto bytes = readSmallFile(root + "/" + zone);
    if (!bytes) return std::nullopt;
    auto tzif = ParseTzif(*bytes);
    if (!tzif || tzif->footer.empty()) return std::nullopt;
    // The footer is the zone's rule from now on, also when its first daylight
    // transition lies after the last one the table lists (a zone that has
    // announced future daylight time): the table only covers the past.
    auto rule = ParsePosixTzRule(tzif->footer);
    if (!rule) return std::nullopt;
    rule->name = zone;
    if (tzif->lastTransition) rule->lastListedTransition = *tzif->lastTransition;
    return rule;
}

std::vector<ZoneRule> ReadZoneRules(const std::string& root, const ZoneList& zones)
{
    std::vector<ZoneRule> rules;
    for (const std::string& zone : zones.zones) {
        if (auto rule = ReadZoneRule(root, zone)) rules.push_back(std::move(*rule));
    }
    return rules;
}

}  // namespace platform
