#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guidara {

// Looks `key` up in `section` of an INI-style settings file (the reader of
// platform/settings/IniFile.h: "[section]" lines, "key=value" lines, ";" or
// "#" comment lines, names matched without regard to ASCII letter case).
// Blanks around the value are dropped, and one pair of quotes around it too.
// nullopt when the file cannot be read, is larger than a settings file can
// be, or holds no such key.
std::optional<std::string> ReadSettingsValue(const std::string& path, std::string_view section,
                                             std::string_view key);

}  // namespace guidara
