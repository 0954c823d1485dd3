#pragma once
// The program's display options (logora/engine/context/AppOptions.h): read
// once from the settings at start-up; the Options command stores new values
// here and in the settings.

#include <string>
#include <vector>

#include "logora/engine/context/AppOptions.h"

namespace logora {

class AppSettings;

AppOptions& ProgramAppOptions();

// Reads FloatLength, DecimalCount and ShowGridLines from `settings`, and
// ExportThreads (0 to 64). A float
// format beyond what the tables and exports hold is clamped: length 1 to 99,
// decimals 0 to length - 1. Returns one line per clamped value, naming the
// settings file, the value read and the value used.
std::vector<std::string> LoadAppOptions(const AppSettings& settings);

}  // namespace logora
