#include "logora/engine/timezone/TimeZoneTable.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "logora/engine/timezone/YearSegments.h"
#include "logora/engine/timezone/ZoneRecordRule.h"
#include "platform/tzdb/CurrentZone.h"
#include "platform/tzdb/ZoneDatabase.h"
#include "platform/tzdb/ZoneList.h"

namespace logora {

namespace {

// One table for the whole program, used on the user-interface thread only.
TimeZoneTable& processTable()
{
    static TimeZoneTable table;
    return table;
}

}  // namespace

std::string TimeZoneDisplayName(int32_t biasMinutes, const std::string& zone)
{
    int32_t offset = -biasMinutes;
    char prefix[32];
    std::snprintf(prefix, sizeof prefix, "(UTC%c%02d:%02d) ", offset < 0 ? '-' : '+', std::abs(offset) / 60,
                  std::abs(offset) % 60);
    std::string name = prefix + zone;
    if (name.size() > kMaxTimeZoneDisplayName) name.resize(kMaxTimeZoneDisplayName);
    return name;
}

TimeZoneTable BuildTimeZoneTable(const std::vector<platform::ZoneRule>& rules)
{
    std::vector<const platform::ZoneRule*> order;
    for (const auto& rule : rules) order.push_back(&rule);
    // West to east, like the system's own list, then by name for a stable order.
    std::sort(order.begin(), order.end(), [](const platform::ZoneRule* a, const platform::ZoneRule* b) {
        if (a->biasMinutes != b->biasMinutes) return a->biasMinutes > b->biasMinutes;
        return a->name < b->name;
    });
    TimeZoneTable table;
    for (const platform::ZoneRule* rule : order) {
        auto entry = std::make_unique<TimeZoneEntry>();
        entry->Index = static_cast<uint32_t>(table.size());
        entry->DisplayName = TimeZoneDisplayName(rule->biasMinutes, rule->name);
        entry->TimeZoneRecord = EncodeTimeZoneRecord(TimeZoneRecordFromRule(*rule));
        table.push_back(std::move(entry));
    }
    return table;
}

const TimeZoneTable& LoadTimeZoneTable(std::string* currentName)
{
    TimeZoneTable& table = processTable();
    if (!currentName && !table.empty()) return table;
    if (currentName) currentName->clear();

    std::string root = platform::ZoneInfoRoot();
    platform::ZoneList zones = platform::ReadZoneList(root);
    std::vector<platform::ZoneRule> rules = platform::ReadZoneRules(root, zones);
    FreeTimeZoneTable();
    table = BuildTimeZoneTable(rules);

    if (currentName) {
        std::string current = platform::ResolveZoneName(zones, platform::CurrentZoneName(root));
        auto rule = std::find_if(rules.begin(), rules.end(),
                                 [&](const platform::ZoneRule& r) { return r.name == current; });
        if (rule != rules.end()) *currentName = TimeZoneDisplayName(rule->biasMinutes, rule->name);
    }
    return table;
}

void FreeTimeZoneTable()
{
    processTable().clear();
}

CalendarTime LocalCalendarTime(int64_t time)
{
    return BreakDownSeconds(time + LocalUtcOffsetSeconds(time));
}

CalendarTime ConvertToZone(int64_t time, int position)
{
    const TimeZoneTable& table = LoadTimeZoneTable();
    if (position < 0 || static_cast<size_t>(position) >= table.size()) return LocalCalendarTime(time);
    TimeZoneRecord record = DecodeTimeZoneRecord(table[static_cast<size_t>(position)]->TimeZoneRecord);
    return BreakDownSeconds(time + UtcOffsetSecondsAt(record, time));
}

}  // namespace logora
