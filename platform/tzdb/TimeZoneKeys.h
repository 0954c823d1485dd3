#pragma once
// The zones of the Windows registry: one key per zone below `root` (a path
// in HKEY_LOCAL_MACHINE), each with its yearly rule as a "TZI" value.
#include <optional>
#include <string>
#include <vector>

#include "platform/tzdb/ZoneRule.h"

namespace platform {

std::vector<std::string> TimeZoneKeyNames(const std::string& root);
// Nothing when the key or its TZI value is missing or malformed.
std::optional<ZoneRule> TimeZoneKeyRule(const std::string& root, const std::string& zone);

}  // namespace platform
