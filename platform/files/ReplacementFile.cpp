#include "platform/files/ReplacementFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <set>
#include <vector>

#include "platform/files/SameFile.h"
#include "platform/paths/LockedFiles.h"
#include "platform/paths/Paths.h"

namespace platform {

namespace {

// As many links as the system itself follows before it gives up (ELOOP).
constexpr int kMaxLinkHops = 40;

constexpr char kPartialPrefix[] = ".partial-";

// The folders whose leftovers RemoveLeftoverReplacements removed for the
// Begins to come.
std::set<FileIdentity>& CleanedFolders()
{
    static std::set<FileIdentity> folders;
    return folders;
}

std::optional<FileIdentity> FolderIdentity(const std::string& folder)
{
    return IdentityOfFile(folder.empty() ? "." : folder);
}

// Permissions a file created with open(..., 0666) would get.
mode_t NewFileMode()
{
    mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

// The permissions the replacement takes: those of the file it replaces, or
// those of a new file.
mode_t ReplacementMode(const std::string& targetPath)
{
    struct stat existing
    {
    };
    if (stat(targetPath.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) return existing.st_mode & 0777;
    return NewFileMode();
}

// The kernel's rule for links in shared folders (fs.protected_symlinks): in
// a folder that everyone may write to and that has the sticky bit, a link is
// followed only when it belongs to the user or to the folder's owner.
bool MayFollow(const std::string& link, uid_t linkOwner)
{
    struct stat folder
    {
    };
    if (stat(FolderOf(link).c_str(), &folder) != 0) return false;
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    return !shared || linkOwner == geteuid() || linkOwner == folder.st_uid;
}

// The file a chain of symbolic links ends at (the path itself when it is no
// link, also when that file does not exist yet), so that replacing it keeps
// the links. False with `failure` set when the chain does not end (errno
// ELOOP) or passes a link that may not be followed (EACCES).
bool FollowLinks(const std::string& path, std::string& target, std::string& failure)
{
    target = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat link
        {
        };
        if (lstat(target.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return true;
        if (!MayFollow(target, link.st_uid)) {
            failure = target +
                      ": a symbolic link of another user in a folder that everyone may write to; it is not "
                      "followed";
            errno = EACCES;
            return false;
        }
        std::vector<char> content(PATH_MAX + 1);
        ssize_t length = readlink(target.c_str(), content.data(), content.size());
        if (length < 0 || static_cast<size_t>(length) >= content.size()) return true;
        std::string next(content.data(), static_cast<size_t>(length));
        target = next.starts_with('/') ? next : JoinPath(FolderOf(target), next);
    }
    failure = path + ": " + std::strerror(ELOOP);
    errno = ELOOP;
    return false;
}

void Release(int& lockFd)
{
    if (lockFd >= 0) close(lockFd);
    lockFd = -1;
}

}  // namespace

ReplacementFile::~ReplacementFile()
{
    Discard();
}

bool ReplacementFile::Begin(const std::string& targetPath)
{
    Discard();
    failure_.clear();
    std::string finalTarget;
    if (!FollowLinks(targetPath, finalTarget, failure_)) return false;
    const std::string folder = FolderOf(finalTarget);
    // Runs killed while they wrote here left their temporary files behind.
    const std::optional<FileIdentity> identity =
        CleanedFolders().empty() ? std::nullopt : FolderIdentity(folder);
    if (!identity || !CleanedFolders().contains(*identity)) RemoveUnlockedFiles(folder, kPartialPrefix, "");
    std::string temporary;
    lockFd_ = CreateLockedFile(folder, kPartialPrefix, "", temporary);
    if (lockFd_ < 0) {
        const int reason = errno;
        failure_ = folder + ": " + std::strerror(reason);
        errno = reason;
        return false;
    }
    targetPath_ = targetPath;
    finalTarget_ = finalTarget;
    temporaryPath_ = temporary;
    return true;
}

bool ReplacementFile::Commit(bool flushToDisk)
{
    if (temporaryPath_.empty()) return false;
    const bool flushed =
        fchmod(lockFd_, ReplacementMode(finalTarget_)) == 0 && (!flushToDisk || fsync(lockFd_) == 0);
    if (!flushed || std::rename(temporaryPath_.c_str(), finalTarget_.c_str()) != 0) {
        int reason = errno;
        Discard();
        errno = reason;
        return false;
    }
    // Renamed while still locked, so no clean-up ever saw it unlocked.
    Release(lockFd_);
    temporaryPath_.clear();
    return true;
}

void ReplacementFile::Discard()
{
    // Deleted while still locked, as above.
    if (!temporaryPath_.empty()) unlink(temporaryPath_.c_str());
    Release(lockFd_);
    temporaryPath_.clear();
}

void RemoveLeftoverReplacements(const std::string& folder)
{
    RemoveUnlockedFiles(folder, kPartialPrefix, "");
    if (const std::optional<FileIdentity> identity = FolderIdentity(folder))
        CleanedFolders().insert(*identity);
}

}  // namespace platform
