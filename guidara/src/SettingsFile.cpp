#include "guidara/src/SettingsFile.h"

#include <cstdint>
#include <filesystem>

#include "platform/settings/IniFile.h"

namespace guidara {

namespace {

// A settings file is a few lines; anything longer is not read at all.
constexpr std::uintmax_t kMaxSettingsSize = 1024 * 1024;

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
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > kMaxSettingsSize) return std::nullopt;
    platform::IniFile settings;
    if (!settings.Load(path)) return std::nullopt;
    const std::optional<std::string> value = settings.Get(std::string(section), std::string(key));
    if (!value) return std::nullopt;
    return std::string(Trim(*value));
}

}  // namespace guidara
