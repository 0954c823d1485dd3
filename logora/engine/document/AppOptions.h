#pragma once
// The display options the application holds in memory after start-up: the
// float format of values and the record list's grid lines. Read once from the
// settings; the Options command stores new values here and in the settings.

namespace logora {

class CAppSettings;

struct CAppOptions
{
    int floatLength = 17;
    int decimalCount = 8;
    int showGridLines = 0;
};

CAppOptions& AppOptions();

// Reads FloatLength, DecimalCount and ShowGridLines from `settings`.
void LoadAppOptions(const CAppSettings& settings);

}  // namespace logora
