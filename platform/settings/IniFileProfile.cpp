#include <cstdlib>

#include "platform/settings/UserProfile.h"

namespace platform {

std::optional<int> IniFileProfile::GetInt(const std::string& section, const std::string& key) const
{
    const auto text = file_.Get(section, key);
    if (!text) return std::nullopt;
    return std::atoi(text->c_str());
}

std::optional<std::string> IniFileProfile::GetString(const std::string& section, const std::string& key) const
{
    return file_.Get(section, key);
}

bool IniFileProfile::WriteInt(const std::string& section, const std::string& key, int value)
{
    return WriteString(section, key, std::to_string(value));
}

bool IniFileProfile::WriteString(const std::string& section, const std::string& key, const std::string& value)
{
    file_.Set(section, key, value);
    return Save();
}

bool IniFileProfile::Remove(const std::string& section, const std::string& key)
{
    if (!file_.Get(section, key)) return true;
    file_.Remove(section, key);
    return Save();
}

bool IniFileProfile::Save()
{
    return readable_ && file_.Save(path_);
}

}  // namespace platform
