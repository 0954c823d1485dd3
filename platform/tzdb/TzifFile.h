#pragma once
// Reads what the zone table needs from one compiled zone file (TZif): the
// rule string of its footer and the time of its last listed transition.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace platform {

struct TzifSummary
{
    std::string footer;                     // the POSIX TZ string, empty when absent
    std::optional<int64_t> lastTransition;  // UTC seconds
};

// Nothing when the bytes are not a well-formed TZif file.
std::optional<TzifSummary> ParseTzif(std::span<const uint8_t> bytes);

}  // namespace platform
