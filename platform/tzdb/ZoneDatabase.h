#pragma once
// The current yearly rule of every zone of the system's tz database.

#include <optional>
#include <string>
#include <vector>

#include "platform/tzdb/ZoneList.h"
#include "platform/tzdb/ZoneRule.h"

namespace platform {

// The rule of one zone from its compiled file below `root`; nothing when the
// file is missing, malformed or has no usable rule string.
std::optional<ZoneRule> ReadZoneRule(const std::string& root, const std::string& zone);

// One rule per zone of `zones`, in the list's (name) order; zones without a
// usable file are left out.
std::vector<ZoneRule> ReadZoneRules(const std::string& root, const ZoneList& zones);

}  // namespace platform
