#include "guidara/src/HelpFolder.h"

#include <cstdlib>
#include <string_view>

#include "guidara/src/Diagnostics.h"
#include "guidara/src/SettingsFile.h"

namespace guidara {

namespace {

constexpr const char* kDefaultConfigFolders = "/etc/xdg";

std::optional<std::string> HelpFolderFromSettings()
{
    const char* dirs = std::getenv("XDG_CONFIG_DIRS");
    const std::string_view folders = (dirs != nullptr && *dirs != '\0') ? dirs : kDefaultConfigFolders;
    size_t pos = 0;
    while (pos <= folders.size()) {
        size_t end = folders.find(':', pos);
        if (end == std::string_view::npos) end = folders.size();
        const std::string_view folder = folders.substr(pos, end - pos);
        // Relative entries are invalid in the folder list and ignored.
        if (!folder.empty() && folder.front() == '/') {
            const std::string path = std::string(folder) + "/" + kSetupFile;
            if (auto value = ReadSettingsValue(path, kSetupSection, kHelpFolderValue)) return value;
        }
        pos = end + 1;
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> ResolveHelpFolder()
{
    std::optional<std::string> folder;
    if (const char* fromEnvironment = std::getenv(kHelpFolderValue)) {
        folder = fromEnvironment;
    } else {
        folder = HelpFolderFromSettings();
    }
    if (!folder) {
        Diagnose(std::string("help folder unknown: ") + kHelpFolderValue + " is neither set nor in " +
                 kSetupFile);
        return std::nullopt;
    }
    if (folder->empty()) return std::string(GUIDARA_INSTALLED_HELP_DIR);
    return folder;
}

}  // namespace guidara
