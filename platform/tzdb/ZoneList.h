#pragma once
// The names of the zones the system's tz database knows, and its links
// (alternative names such as "Europe/Kiev" for "Europe/Kyiv").

#include <map>
#include <string>
#include <vector>

namespace platform {

struct ZoneList
{
    std::vector<std::string> zones;            // canonical names, sorted
    std::map<std::string, std::string> links;  // alternative name -> zone
};

// The folder holding the tz database: TZDIR when set, else the system's.
std::string ZoneInfoRoot();

// Zones and links from `root`/tzdata.zi; without that file the zones of
// zone1970.tab, else zone.tab (which list no links), plus "Etc/UTC".
ZoneList ReadZoneList(const std::string& root);

// The canonical zone behind `name` (itself when it is no link).
std::string ResolveZoneName(const ZoneList& list, const std::string& name);

}  // namespace platform
