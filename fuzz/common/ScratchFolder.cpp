#include "fuzz/common/ScratchFolder.h"

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string_view>

namespace fuzzsupport {

namespace {

// Folder names carry the owner's process id: "fuzz-scratch-<pid>-XXXXXX".
constexpr std::string_view kPrefix = "fuzz-scratch-";

std::string& Path()
{
    static std::string path;
    return path;
}

void RemoveScratch()
{
    std::error_code ignored;
    std::filesystem::remove_all(Path(), ignored);
}

pid_t OwnerOf(const std::string& name)
{
    if (name.compare(0, kPrefix.size(), kPrefix) != 0) return 0;
    return static_cast<pid_t>(std::strtol(name.c_str() + kPrefix.size(), nullptr, 10));
}

bool IsRunning(pid_t pid)
{
    return ::kill(pid, 0) == 0 || errno != ESRCH;
}

void RemoveFoldersOfEndedProcesses(const std::filesystem::path& temp)
{
    std::error_code error;
    for (std::filesystem::directory_iterator it(temp, error), end; !error && it != end; it.increment(error)) {
        const pid_t owner = OwnerOf(it->path().filename().string());
        std::error_code ignored;
        if (owner > 0 && !IsRunning(owner)) std::filesystem::remove_all(it->path(), ignored);
    }
}

}  // namespace

const std::string& ScratchFolder()
{
    std::string& path = Path();
    if (path.empty()) {
        const std::filesystem::path temp = std::filesystem::temp_directory_path();
        RemoveFoldersOfEndedProcesses(temp);
        std::string pattern =
            (temp / (std::string(kPrefix) + std::to_string(::getpid()) + "-XXXXXX")).string();
        if (!::mkdtemp(pattern.data())) std::abort();
        path = pattern;
        // Registered after Path()'s string exists, so it runs before the string goes.
        std::atexit(RemoveScratch);
        ::setenv("TMPDIR", path.c_str(), 1);
    }
    return path;
}

}  // namespace fuzzsupport
