
#include <windows.h>

#include "platform/tzdb/CurrentZone.h"
#include "platform/win32/WideText.h"

namespace platform {

std::string ZoneNameFromPath(const std::string& path, const std::string&)
{
    const size_t separator = path.rfind('\\');
    return separator == std::string::npos ? path : path.substr(separator + 1);
}

// The registry key of the computer's zone, as the system names it.
std::string CurrentZoneName(const std::string&)
{
    DYNAMIC_TIME_ZONE_INFORMATION zone{};
    if (GetDynamicTimeZoneInformation(&zone) == TIME_ZONE_ID_INVALID) return {};
    return Narrow(zone.TimeZoneKeyName);
}

}  // namespace platform
