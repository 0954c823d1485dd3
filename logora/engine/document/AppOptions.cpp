#include "logora/engine/document/AppOptions.h"

#include <algorithm>
#include <string_view>

#include "logora/engine/settings/AppSettings.h"

namespace logora {

namespace {

constexpr int kMaxFloatLength = 99;    // the widest the options dialog and the CSV export allow
constexpr int kMaxExportThreads = 64;  // each holds a few blocks of records and lines

int Clamped(const AppSettings& settings, std::string_view key, int value, int low, int high,
            std::vector<std::string>& notes)
{
    int used = std::clamp(value, low, high);
    if (used != value) {
        notes.push_back(settings.Path() + ": " + std::string(key) + "=" + std::to_string(value) +
                        " lies outside " + std::to_string(low) + " to " + std::to_string(high) + "; " +
                        std::to_string(used) + " is used");
    }
    return used;
}

}  // namespace

AppOptions& ProgramAppOptions()
{
    static AppOptions options;
    return options;
}

std::vector<std::string> LoadAppOptions(const AppSettings& settings)
{
    std::vector<std::string> notes;
    AppOptions& options = ProgramAppOptions();
    options.floatLength =
        Clamped(settings, settings::kFloatLength, settings.FloatLength(), 1, kMaxFloatLength, notes);
    options.decimalCount = Clamped(settings, settings::kDecimalCount, settings.DecimalCount(), 0,
                                   options.floatLength - 1, notes);
    options.showGridLines = settings.ShowGridLines();
    options.exportThreads = static_cast<unsigned>(
        Clamped(settings, settings::kExportThreads, settings.ExportThreads(), 0, kMaxExportThreads, notes));
    return notes;
}

}  // namespace logora
