#include "platform/paths/Paths.h"
#include "platform/settings/UserProfile.h"

namespace platform {

std::unique_ptr<UserProfile> OpenUserProfile(const std::string& company, const std::string& application)
{
    return std::make_unique<IniFileProfile>(JoinPath(JoinPath(ConfigHome(), company), application + ".ini"));
}

}  // namespace platform
