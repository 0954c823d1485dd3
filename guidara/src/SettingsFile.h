#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guidara {

// Looks `key` up in `section` of an INI-style settings file ("[section]"
// lines, "key=value" lines, ";" or "#" comment lines). Section and key
// names match without regard to ASCII letter case; blanks around names and
// values are dropped, and one pair of double quotes around a value too.
// nullopt when the file cannot be read or holds no such key.
std::optional<std::string> ReadSettingsValue(const std::string& path, std::string_view section,
                                             std::string_view key);

}  // namespace guidara
