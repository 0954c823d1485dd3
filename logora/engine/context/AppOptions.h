#pragma once
// The display options a run holds in memory: the float format of values and
// the record list's grid lines, read once from the settings; and how many
// threads a list-form CSV export uses.

namespace logora {

struct AppOptions
{
    int floatLength = 17;
    int decimalCount = 8;
    int showGridLines = 0;
    // Threads of a list-form CSV export; 0 for one per core.
    unsigned exportThreads = 0;
};

}  // namespace logora
