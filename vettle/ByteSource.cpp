#include "vettle/ByteSource.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace vettle {

int64_t CMemoryByteSource::ReadAt(int64_t offset, void* buffer, size_t count)
{
    if (offset < 0) return -1;
    if (offset >= Size()) return 0;
    const size_t copied = std::min(count, bytes_.size() - static_cast<size_t>(offset));
    std::memcpy(buffer, bytes_.data() + offset, copied);
    return static_cast<int64_t>(copied);
}

CFileByteSource::~CFileByteSource()
{
    if (fd_ >= 0) ::close(fd_);
}

CFileByteSource::OpenResult CFileByteSource::Open(const std::string& path)
{
    struct stat attributes
    {
    };
    if (::stat(path.c_str(), &attributes) != 0) return OpenResult::Missing;
    // Non-blocking so that a named pipe cannot stall the open; only regular
    // files are read.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) return OpenResult::NotOpened;
    struct stat opened
    {
    };
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return OpenResult::NotOpened;
    }
    ::posix_fadvise(fd, 0, 0, POSIX_FADV_SEQUENTIAL);
    fd_ = fd;
    size_ = opened.st_size;
    return OpenResult::Opened;
}

int64_t CFileByteSource::ReadAt(int64_t offset, void* buffer, size_t count)
{
    if (fd_ < 0 || offset < 0) return -1;
    for (;;) {
        const ssize_t got = ::pread(fd_, buffer, count, offset);
        if (got >= 0) return got;
        if (errno != EINTR) return -1;
    }
}

}  // namespace vettle
