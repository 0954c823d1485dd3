#pragma once
// The name of the computer's own time zone ("Europe/Berlin"), from TZ when
// it names a zone, else from /etc/localtime or /etc/timezone.

#include <string>

namespace platform {

// Empty when the setting names no zone of the database (for example
// TZ="EST5EDT,M3.2.0,M11.1.0" given as a rule string).
std::string CurrentZoneName(const std::string& root);

// The zone name within a path below a "zoneinfo" folder, or the path itself
// when it is relative; empty otherwise. Exposed for tests.
std::string ZoneNameFromPath(const std::string& path, const std::string& root);

}  // namespace platform
