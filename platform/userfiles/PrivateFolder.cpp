#include "platform/userfiles/PrivateFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>

namespace platform {

namespace {

constexpr mode_t kPrivateFolderMode = 0700;
constexpr mode_t kPrivateFileMode = 0600;
constexpr int kNameAttempts = 100;

std::error_code LastError()
{
    return std::error_code(errno, std::generic_category());
}

// Creates a file under a fresh name; O_EXCL refuses anything already there,
// links included.
FileDescriptor CreateFreshFile(int folder, const std::string& finalName, std::string& name)
{
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = "." + finalName + "." + std::to_string(getpid()) + "." + std::to_string(random() % 1000000);
        const int fd = openat(folder, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                              kPrivateFileMode);
        if (fd >= 0 || errno != EEXIST) return FileDescriptor(fd);
    }
    return FileDescriptor();
}

}  // namespace

bool PrivateFolder::Open(const std::string& path, std::error_code& error)
{
    descriptor_ = FileDescriptor(open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!descriptor_.IsOpen()) error = LastError();
    return descriptor_.IsOpen();
}

bool PrivateFolder::OpenInside(const PrivateFolder& parent, const std::string& name, std::error_code& error)
{
    descriptor_ = FileDescriptor(
        openat(parent.descriptor_.Get(), name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!descriptor_.IsOpen()) error = LastError();
    return descriptor_.IsOpen();
}

bool PrivateFolder::OwnedByUser() const
{
    struct stat info
    {
    };
    return fstat(descriptor_.Get(), &info) == 0 && info.st_uid == geteuid();
}

bool PrivateFolder::MakeFolder(const std::string& name, std::error_code& error) const
{
    if (mkdirat(descriptor_.Get(), name.c_str(), kPrivateFolderMode) == 0 || errno == EEXIST) return true;
    error = LastError();
    return false;
}

PrivateFolder::ReplaceStep PrivateFolder::ReplaceFile(const std::string& name, std::string_view content,
                                                      std::error_code& error) const
{
    std::string freshName;
    FileDescriptor file = CreateFreshFile(descriptor_.Get(), name, freshName);
    if (!file.IsOpen()) {
        error = LastError();
        return ReplaceStep::Create;
    }
    if (!file.WriteAll(content.data(), content.size())) {
        error = LastError();
        unlinkat(descriptor_.Get(), freshName.c_str(), 0);
        return ReplaceStep::Write;
    }
    // rename replaces a planted link itself, never the file it points to.
    if (renameat(descriptor_.Get(), freshName.c_str(), descriptor_.Get(), name.c_str()) != 0) {
        error = LastError();
        unlinkat(descriptor_.Get(), freshName.c_str(), 0);
        return ReplaceStep::Rename;
    }
    return ReplaceStep::Done;
}

std::optional<std::string> PrivateFolder::ReadFile(const std::string& name, uint64_t maxSize,
                                                   std::error_code& error) const
{
    FileDescriptor file(openat(descriptor_.Get(), name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    struct stat info
    {
    };
    if (!file.IsOpen() || fstat(file.Get(), &info) != 0) {
        error = LastError();
        return std::nullopt;
    }
    error.clear();
    if (!S_ISREG(info.st_mode) || static_cast<uint64_t>(info.st_size) > maxSize) return std::nullopt;
    std::string content(static_cast<size_t>(info.st_size), '\0');
    size_t done = 0;
    while (done < content.size()) {
        const int64_t got = file.Read(content.data() + done, content.size() - done);
        if (got <= 0) break;
        done += static_cast<size_t>(got);
    }
    content.resize(done);
    return content;
}

}  // namespace platform
