#include "platform/tzdb/CurrentZone.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace platform {

namespace {

// A zone name stays inside the database folder: no ".." components.
bool isZoneFile(const std::string& root, const std::string& name)
{
    if (name.empty() || name == ".." || name.starts_with("../") || name.find("/../") != std::string::npos) {
        return false;
    }
    std::error_code error;
    return std::filesystem::is_regular_file(root + "/" + name, error);
}

}  // namespace

std::string ZoneNameFromPath(const std::string& path, const std::string& root)
{
    if (path.empty()) return {};
    if (path[0] != '/') return path;
    for (const std::string& prefix : {root + "/", std::string("/usr/share/zoneinfo/")}) {
        if (path.compare(0, prefix.size(), prefix) == 0) return path.substr(prefix.size());
    }
    const std::string marker = "/zoneinfo/";
    size_t at = path.rfind(marker);
    return at == std::string::npos ? std::string() : path.substr(at + marker.size());
}

std::string CurrentZoneName(const std::string& root)
{
    if (const char* tz = std::getenv("TZ")) {
        std::string value = tz;
        // An empty TZ means UTC to the C library.
        if (value.empty()) return "Etc/UTC";
        if (value[0] == ':') value.erase(0, 1);
        std::string name = ZoneNameFromPath(value, root);
        return isZoneFile(root, name) ? name : std::string();
    }
    std::error_code error;
    auto target = std::filesystem::read_symlink("/etc/localtime", error);
    if (!error) {
        if (target.is_relative()) target = (std::filesystem::path("/etc") / target).lexically_normal();
        std::string name = ZoneNameFromPath(target.string(), root);
        if (isZoneFile(root, name)) return name;
    }
    std::ifstream timezone("/etc/timezone");
    std::string name;
    if (timezone >> name && isZoneFile(root, name)) return name;
    // No setting at all: the C library uses UTC.
    return std::filesystem::exists("/etc/localtime") ? std::string() : std::string("Etc/UTC");
}

}  // namespace platform
