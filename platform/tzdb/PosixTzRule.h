#pragma once
// Turns the POSIX TZ rule string that ends every TZif file (for example
// "CET-1CEST,M3.5.0,M10.5.0/3") into the zone's yearly rule.

#include <optional>
#include <string_view>

#include "platform/tzdb/ZoneRule.h"

namespace platform {

// The rule of `text`, or nothing when the text is not a valid TZ string.
// The name and the last listed transition are left for the caller to fill.
std::optional<ZoneRule> ParsePosixTzRule(std::string_view text);

}  // namespace platform
