#include "platform/tzdb/ZoneList.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace platform {

namespace {

// "Factory" is a placeholder zone for unconfigured machines, not a place.
bool isPlaceholder(const std::string& name)
{
    return name == "Factory";
}

bool readZiFile(const std::string& path, ZoneList& list)
{
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string kind, first, second;
        fields >> kind >> first;
        if (kind == "Z" && !first.empty() && !isPlaceholder(first)) {
            list.zones.push_back(first);
        } else if (kind == "L" && fields >> second) {
            list.links[second] = first;
        }
    }
    return !list.zones.empty();
}

// zone.tab and zone1970.tab: country codes, coordinates, zone name, comment.
bool readTabFile(const std::string& path, ZoneList& list)
{
    std::ifstream in(path);
    if (!in) return false;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        std::string codes, coordinates, zone;
        if (std::getline(fields, codes, '\t') && std::getline(fields, coordinates, '\t') &&
            std::getline(fields, zone, '\t') && !zone.empty()) {
            list.zones.push_back(zone);
        }
    }
    if (list.zones.empty()) return false;
    list.zones.push_back("Etc/UTC");
    return true;
}

}  // namespace

std::string ZoneInfoRoot()
{
    const char* dir = std::getenv("TZDIR");
    return dir && *dir ? std::string(dir) : std::string("/usr/share/zoneinfo");
}

ZoneList ReadZoneList(const std::string& root)
{
    ZoneList list;
    if (!readZiFile(root + "/tzdata.zi", list)) {
        list = {};
        if (!readTabFile(root + "/zone1970.tab", list)) {
            list = {};
            readTabFile(root + "/zone.tab", list);
        }
    }
    std::sort(list.zones.begin(), list.zones.end());
    list.zones.erase(std::unique(list.zones.begin(), list.zones.end()), list.zones.end());
    return list;
}

std::string ResolveZoneName(const ZoneList& list, const std::string& name)
{
    std::string current = name;
    // Links point at zones, but a chain is followed a few steps for safety.
    for (int step = 0; step < 8; ++step) {
        auto link = list.links.find(current);
        if (link == list.links.end()) break;
        current = link->second;
    }
    return current;
}

}  // namespace platform
