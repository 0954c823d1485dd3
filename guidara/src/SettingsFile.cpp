#include "guidara/src/SettingsFile.h"

#include "platform/settings/IniFile.h"

namespace guidara {

namespace {

std::string_view Trim(std::string_view text)
{
    constexpr std::string_view kBlanks = " \t\r\n";
    const size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

}  // namespace

std::optional<std::string> ReadSettingsValue(const std::string& path, std::string_view section,
                                             std::string_view key)
{
    // Loading refuses what is no regular file or is beyond its size limit.
    platform::IniFile settings;
    if (!settings.Load(path)) return std::nullopt;
    const std::optional<std::string> value = settings.Get(std::string(section), std::string(key));
    if (!value) return std::nullopt;
    return std::string(Trim(*value));
}

}  // namespace guidara
