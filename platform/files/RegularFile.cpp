#include "platform/files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

constexpr size_t kPieceSize = 1 << 20;

const char* KindOf(mode_t mode)
{
    if (S_ISDIR(mode)) return "a folder";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISFIFO(mode)) return "a named pipe (FIFO)";
    if (S_ISSOCK(mode)) return "a socket";
    return "of an unknown kind";
}

FileCheck NotRegular(const std::string& path, mode_t mode)
{
    return {FileCheck::Outcome::NotRegular, NotRegularFileText(path, mode)};
}

class Descriptor
{
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Opens `path` for reading; non-blocking, so that opening a named pipe
// without a writer returns at once. The descriptor is -1 unless the file is
// a regular one.
int OpenRegular(const std::string& path, FileCheck& check, uint64_t& size)
{
    struct stat info
    {
    };
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        const int code = errno;
        // A socket cannot be opened at all, yet it is there.
        if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
            check = NotRegular(path, info.st_mode);
        } else {
            check = {FileCheck::Outcome::CannotOpen,
                     path + ": cannot be opened for reading: " + std::strerror(code)};
        }
        return -1;
    }
    if (::fstat(fd, &info) != 0) {
        check = {FileCheck::Outcome::CannotOpen, path + ": cannot be examined: " + std::strerror(errno)};
    } else if (!S_ISREG(info.st_mode)) {
        check = NotRegular(path, info.st_mode);
    } else {
        check = {FileCheck::Outcome::Regular, {}};
        size = static_cast<uint64_t>(info.st_size);
        return fd;
    }
    ::close(fd);
    return -1;
}

}  // namespace

FileCheck RegularFileCheck(const std::string& path)
{
    FileCheck check;
    uint64_t size = 0;
    Descriptor file(OpenRegular(path, check, size));
    return check;
}

std::string ReadRegularFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes)
{
    bytes.clear();
    FileCheck check;
    uint64_t size = 0;
    Descriptor file(OpenRegular(path, check, size));
    if (file.get() < 0) return check.why;
    if (size > limit) return SizeBeyondLimitText(path, size, limit);
    // Straight into place, with room for one byte more than the size told,
    // so that one read usually finds the end; a file that grows meanwhile
    // gets room a piece at a time.
    bytes.resize(static_cast<size_t>(size) + 1);
    size_t used = 0;
    for (;;) {
        if (used == bytes.size()) bytes.resize(used + kPieceSize);
        const ssize_t got = ::read(file.get(), bytes.data() + used, bytes.size() - used);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) {
            bytes.clear();
            return path + ": cannot be read: " + std::strerror(errno);
        }
        if (got == 0) {
            bytes.resize(used);
            return {};
        }
        // A file that grows while it is read is still held to the limit.
        if (static_cast<uint64_t>(got) > limit - used) {
            const uint64_t seen = used + static_cast<uint64_t>(got);
            bytes.clear();
            return SizeBeyondLimitText(path + " (grown while read)", seen, limit);
        }
        used += static_cast<size_t>(got);
    }
}

std::string NotRegularFileText(const std::string& path, unsigned mode)
{
    return path + ": is " + KindOf(static_cast<mode_t>(mode)) + ", not a regular file";
}

}  // namespace platform
