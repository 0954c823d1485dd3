#include "platform/files/InputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

bool InputFile::Open(const std::string& path)
{
    descriptor_ = FileDescriptor(open(path.c_str(), O_RDONLY | O_CLOEXEC));
    size_ = 0;
    return descriptor_.IsOpen();
}

InputFile::OpenResult InputFile::OpenRegular(const std::string& path)
{
    descriptor_ = FileDescriptor();
    size_ = 0;
    struct stat attributes
    {
    };
    if (stat(path.c_str(), &attributes) != 0) return OpenResult::Missing;
    FileDescriptor opened(open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    if (!opened.IsOpen() || fstat(opened.Get(), &attributes) != 0 || !S_ISREG(attributes.st_mode)) {
        return OpenResult::NotOpened;
    }
    posix_fadvise(opened.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    descriptor_ = std::move(opened);
    size_ = attributes.st_size;
    return OpenResult::Opened;
}

int64_t InputFile::ReadAt(int64_t offset, void* buffer, size_t count)
{
    if (!descriptor_.IsOpen() || offset < 0) return -1;
    for (;;) {
        const ssize_t got = pread(descriptor_.Get(), buffer, count, offset);
        if (got >= 0 || errno != EINTR) return got;
    }
}

}  // namespace platform
