#include <algorithm>

#include "platform/tzdb/TimeZoneKeys.h"
#include "platform/tzdb/ZoneList.h"

namespace platform {

std::string ZoneInfoRoot()
{
    return "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Time Zones";
}

ZoneList ReadZoneList(const std::string& root)
{
    ZoneList list;
    list.zones = TimeZoneKeyNames(root);
    std::sort(list.zones.begin(), list.zones.end());
    return list;
}

// The registry lists no alternative names.
std::string ResolveZoneName(const ZoneList&, const std::string& name)
{
    return name;
}

}  // namespace platform
