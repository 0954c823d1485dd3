#include "platform/userfiles/CacheFolder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

std::optional<std::string> UserCacheFolder()
{
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') return std::string(cache);
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* user = getpwuid(geteuid());
        if (user == nullptr || user->pw_dir == nullptr || user->pw_dir[0] != '/') return std::nullopt;
        home = user->pw_dir;
    }
    return std::string(home) + "/.cache";
}

bool MakePrivateFolders(const std::string& path, std::error_code& error)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), 0700) != 0 && errno != EEXIST) {
            error.assign(errno, std::generic_category());
            return false;
        }
        if (slash == std::string::npos) return true;
    }
}

}  // namespace platform
