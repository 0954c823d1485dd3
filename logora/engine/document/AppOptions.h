#pragma once
// The display options the application holds in memory after start-up: the
// float format of values and the record list's grid lines. Read once from the
// settings; the Options command stores new values here and in the settings.

#include <string>
#include <vector>

namespace logora {

class CAppSettings;

struct CAppOptions
{
    int floatLength = 17;
    int decimalCount = 8;
    int showGridLines = 0;
    // Threads of a list-form CSV export; 0 for one per core.
    unsigned exportThreads = 0;
};

CAppOptions& AppOptions();

// Reads FloatLength, DecimalCount and ShowGridLines from `settings`, and
// ExportThreads (0 to 64). A float
// format beyond what the tables and exports hold is clamped: length 1 to 99,
// decimals 0 to length - 1. Returns one line per clamped value, naming the
// settings file, the value read and the value used.
std::vector<std::string> LoadAppOptions(const CAppSettings& settings);

}  // namespace logora
