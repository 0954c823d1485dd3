#pragma once

#include <string_view>

namespace guidara {

// Name of the environment variable that turns diagnostic texts on.
inline constexpr const char* kDebugVariable = "GUIDARA_DEBUG";

// Writes one diagnostic line to standard error when GUIDARA_DEBUG is set to
// anything but "" or "0". The library never shows anything to the user, so
// this is the only trace of why a help request gave 0.
void Diagnose(std::string_view text);

}  // namespace guidara
