#include "platform/paths/Paths.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace platform {

std::string ExecutablePath()
{
    std::vector<char> buffer(4096);
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (length <= 0 || static_cast<size_t>(length) >= buffer.size()) return {};
    return std::string(buffer.data(), static_cast<size_t>(length));
}

static bool IsFolder(const char* path)
{
    struct stat info
    {
    };
    return path != nullptr && *path != '\0' && stat(path, &info) == 0 && S_ISDIR(info.st_mode);
}

static std::string WithoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string TempFolder()
{
    const char* fromEnvironment = std::getenv("TMPDIR");
    return IsFolder(fromEnvironment) ? WithoutTrailingSlash(fromEnvironment) : std::string("/tmp");
}

bool IsSharedProgramFolder(const std::string& folder)
{
    for (std::string_view shared : {"/usr", "/bin", "/sbin", "/opt"})
        if (folder.starts_with(shared) && (folder.size() == shared.size() || folder[shared.size()] == '/'))
            return true;
    return false;
}

std::string HomeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? std::string(entry->pw_dir) : std::string();
}

// $<variable> when it holds an absolute path, else <home>/<underHome>.
static std::string XdgFolder(const char* variable, const char* underHome)
{
    const char* configured = std::getenv(variable);
    if (configured != nullptr && configured[0] == '/') return WithoutTrailingSlash(configured);
    std::string home = HomeFolder();
    return home.empty() ? std::string() : JoinPath(home, underHome);
}

std::string ConfigHome()
{
    return XdgFolder("XDG_CONFIG_HOME", ".config");
}

std::string UserStateFolder()
{
    return XdgFolder("XDG_STATE_HOME", ".local/state");
}

std::string_view FolderSeparators()
{
    return "/";
}

std::string JoinPath(const std::string& folder, const std::string& name)
{
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

bool MakeFolders(const std::string& folder)
{
    if (folder.empty() || IsFolder(folder.c_str())) return true;
    std::string parent = FolderOf(folder);
    if (parent != folder && parent != "." && !MakeFolders(parent)) return false;
    // Another process may make it meanwhile; a file of that name is no folder.
    return mkdir(folder.c_str(), 0777) == 0 || (errno == EEXIST && IsFolder(folder.c_str()));
}

}  // namespace platform
