#include "guidara/src/Diagnostics.h"
#include "guidara/src/HelpFolder.h"
#include "platform/registry/MachineRegistry.h"

namespace guidara {

namespace {

constexpr const char* kSetupKey = "SOFTWARE\\Tarrow Software\\Setup\\Default\\Common";

}  // namespace

// On Windows the machine-wide registry value names the help folder; an empty
// one means the common program files folder's "\Tarrow\Help\".
std::optional<std::string> ResolveHelpFolder()
{
    std::optional<std::string> folder = platform::MachineRegistryText(kSetupKey, kHelpFolderValue);
    if (!folder) {
        Diagnose(std::string("help folder unknown: no value ") + kHelpFolderValue + " in HKLM\\" + kSetupKey);
        return std::nullopt;
    }
    if (!folder->empty()) return folder;
    const std::string common = platform::CommonProgramFilesFolder();
    if (common.empty()) return std::nullopt;
    return common + "\\Tarrow\\Help\\";
}

}  // namespace guidara
