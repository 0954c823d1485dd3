#include "logora/engine/document/AppOptions.h"

#include "logora/engine/settings/CAppSettings.h"

namespace logora {

CAppOptions& AppOptions()
{
    static CAppOptions options;
    return options;
}

void LoadAppOptions(const CAppSettings& settings)
{
    AppOptions() = {settings.FloatLength(), settings.DecimalCount(), settings.ShowGridLines()};
}

}  // namespace logora
