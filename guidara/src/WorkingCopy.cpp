#include "guidara/src/WorkingCopy.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>

namespace guidara {

namespace {

constexpr const char* kCompanyFolder = "Quorvi Zerovuvuru";
constexpr const char* kTempFolder = "Temp";
constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kPrivateFileMode = 0600;
// The table is a few hundred kilobytes; a larger file is not ours.
constexpr off_t kMaxCopySize = 16 * 1024 * 1024;
constexpr int kNameAttempts = 100;

class CFileDescriptor
{
public:
    explicit CFileDescriptor(int fd = -1) : fd_(fd) {}
    ~CFileDescriptor()
    {
        if (fd_ >= 0) close(fd_);
    }
    CFileDescriptor(const CFileDescriptor&) = delete;
    CFileDescriptor& operator=(const CFileDescriptor&) = delete;
    CFileDescriptor(CFileDescriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    CFileDescriptor& operator=(CFileDescriptor&&) = delete;

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

private:
    int fd_;
};

std::string ErrnoText(const std::string& what)
{
    return what + ": " + std::strerror(errno);
}

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

// Creates every missing level of the user's own cache folder.
bool MakeFolders(const std::string& path)
{
    for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
        const std::string level = path.substr(0, slash);
        if (mkdir(level.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) return false;
        if (slash == std::string::npos) return true;
    }
}

// Opens (creating when missing) `name` below `parent` as a folder that is
// no link and belongs to the current user.
CFileDescriptor OpenPrivateFolder(int parent, const char* name, std::string& problem)
{
    if (mkdirat(parent, name, kPrivateFolderMode) != 0 && errno != EEXIST) {
        problem = ErrnoText(std::string("cannot create folder ") + name);
        return CFileDescriptor();
    }
    CFileDescriptor folder(openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.IsOpen()) {
        problem = ErrnoText(std::string("cannot open folder ") + name + " (it must be a folder, not a link)");
        return CFileDescriptor();
    }
    struct stat info
    {
    };
    if (fstat(folder.Get(), &info) != 0 || info.st_uid != geteuid()) {
        problem = std::string("folder ") + name + " belongs to another user";
        return CFileDescriptor();
    }
    return folder;
}

bool WriteAll(int fd, std::string_view content)
{
    while (!content.empty()) {
        const ssize_t written = write(fd, content.data(), content.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        content.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Creates a file under a fresh name; O_EXCL refuses anything already there,
// links included.
CFileDescriptor CreateFreshFile(int folder, std::string& name)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = std::string(".") + kWorkingCopyName + "." + std::to_string(getpid()) + "." +
               std::to_string(random() % 1000000);
        const int fd = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              kPrivateFileMode);
        if (fd >= 0 || errno != EEXIST) return CFileDescriptor(fd);
    }
    return CFileDescriptor();
}

bool WriteCopy(int folder, std::string_view content, std::string& problem)
{
    std::string freshName;
    CFileDescriptor file = CreateFreshFile(folder, freshName);
    if (!file.IsOpen()) {
        problem = ErrnoText("cannot create a file for the working copy");
        return false;
    }
    if (!WriteAll(file.Get(), content)) {
        problem = ErrnoText("cannot write the working copy");
        unlinkat(folder, freshName.c_str(), 0);
        return false;
    }
    // rename replaces a planted link itself, never the file it points to.
    if (renameat(folder, freshName.c_str(), folder, kWorkingCopyName) != 0) {
        problem = ErrnoText("cannot put the working copy in place");
        unlinkat(folder, freshName.c_str(), 0);
        return false;
    }
    return true;
}

std::optional<std::string> ReadCopy(int folder, std::string& problem)
{
    CFileDescriptor file(openat(folder, kWorkingCopyName, O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info
    {
    };
    if (!file.IsOpen() || fstat(file.Get(), &info) != 0) {
        problem = ErrnoText("cannot read the working copy back");
        return std::nullopt;
    }
    if (!S_ISREG(info.st_mode) || info.st_size > kMaxCopySize) {
        problem = "the working copy is not a regular file of a plausible size";
        return std::nullopt;
    }
    std::string content(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < content.size()) {
        const ssize_t got = read(file.Get(), content.data() + done, content.size() - done);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    content.resize(done);
    return content;
}

}  // namespace

std::optional<std::string> WorkingCopyFolder()
{
    const std::optional<std::string> cache = UserCacheFolder();
    if (!cache) return std::nullopt;
    return *cache + "/" + kCompanyFolder + "/" + kTempFolder + "/";
}

std::optional<std::string> RefreshWorkingCopy(std::string_view content, std::string& problem)
{
    const std::optional<std::string> cache = UserCacheFolder();
    if (!cache) {
        problem = "no cache folder: neither XDG_CACHE_HOME nor a home folder is known";
        return std::nullopt;
    }
    if (!MakeFolders(*cache)) {
        problem = ErrnoText("cannot create the cache folder " + *cache);
        return std::nullopt;
    }
    CFileDescriptor base(open(cache->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!base.IsOpen()) {
        problem = ErrnoText("cannot open the cache folder " + *cache);
        return std::nullopt;
    }
    const CFileDescriptor company = OpenPrivateFolder(base.Get(), kCompanyFolder, problem);
    if (!company.IsOpen()) return std::nullopt;
    const CFileDescriptor temp = OpenPrivateFolder(company.Get(), kTempFolder, problem);
    if (!temp.IsOpen()) return std::nullopt;
    if (!WriteCopy(temp.Get(), content, problem)) return std::nullopt;
    return ReadCopy(temp.Get(), problem);
}

}  // namespace guidara
