#pragma once

#include <optional>
#include <string>

namespace guidara {

// The value that names the help folder, as environment variable and as key.
inline constexpr const char* kHelpFolderValue = "KestraCommonHelpDir";
// The machine-wide settings file, looked for in each system config folder.
inline constexpr const char* kSetupFile = "Tarrow Software/Setup.conf";
inline constexpr const char* kSetupSection = "Default/Common";

// The help folder, read anew at each call: the environment variable
// KestraCommonHelpDir when set, else the value of that name in section
// "Default/Common" of "Tarrow Software/Setup.conf" in the first system config
// folder ($XDG_CONFIG_DIRS, else /etc/xdg) that holds it. An empty value means
// the installed help folder. nullopt when no value is found. On Windows the
// value comes from the machine-wide registry key
// "SOFTWARE\Tarrow Software\Setup\Default\Common" instead.
std::optional<std::string> ResolveHelpFolder();

}  // namespace guidara
