#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/mapping/MappedFile.h"

#include "platform/files/RegularFile.h"

namespace platform {

MappedFile::~MappedFile()
{
    Close();
}

bool MappedFile::OpenRead(const std::string& path)
{
    Close();
    // Non-blocking so that a named pipe cannot stall the open, and never the
    // controlling terminal; only regular files are read.
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    writable_ = false;
    refusal_.clear();
    struct stat info
    {
    };
    if (fd_ >= 0 && (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode))) {
        Close();
        refusal_ = NotRegularFileText(path, info.st_mode);
        errno = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        return false;
    }
    // Readers go front to back: a conversion's windows, the tamper check's lines.
    if (fd_ >= 0) ::posix_fadvise(fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
    return fd_ >= 0;
}

bool MappedFile::Create(const std::string& path)
{
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    writable_ = fd_ >= 0;
    return fd_ >= 0;
}

bool MappedFile::OpenUpdate(const std::string& path)
{
    Close();
    fd_ = ::open(path.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    writable_ = fd_ >= 0;
    return fd_ >= 0;
}

uint64_t MappedFile::Size() const
{
    struct stat info
    {
    };
    if (fd_ < 0 || ::fstat(fd_, &info) != 0) return 0;
    return static_cast<uint64_t>(info.st_size);
}

int64_t MappedFile::ReadAt(void* data, size_t length, uint64_t offset) const
{
    if (fd_ < 0) {
        errno = EBADF;
        return -1;
    }
    auto* bytes = static_cast<uint8_t*>(data);
    size_t got = 0;
    while (got < length) {
        const ssize_t read = ::pread(fd_, bytes + got, length - got, static_cast<off_t>(offset + got));
        if (read < 0) {
            if (errno == EINTR) continue;
            return -1;
        }
        if (read == 0) break;
        got += static_cast<size_t>(read);
    }
    return static_cast<int64_t>(got);
}

int MappedFile::ExtendTo(uint64_t oldSize, uint64_t newSize)
{
    if (fd_ < 0) return EBADF;
    if (newSize <= oldSize) return 0;
    return ::posix_fallocate(fd_, static_cast<off_t>(oldSize), static_cast<off_t>(newSize - oldSize));
}

int MappedFile::WriteAt(const void* data, size_t length, uint64_t offset)
{
    if (fd_ < 0) return EBADF;
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0) {
        const ssize_t written = ::pwrite(fd_, bytes, length, static_cast<off_t>(offset));
        if (written < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (written == 0) return EIO;
        bytes += written;
        length -= static_cast<size_t>(written);
        offset += static_cast<uint64_t>(written);
    }
    return 0;
}

int MappedFile::CutTo(uint64_t newSize)
{
    if (fd_ < 0) return EBADF;
    return ::ftruncate(fd_, static_cast<off_t>(newSize)) == 0 ? 0 : errno;
}

void MappedFile::Close()
{
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    writable_ = false;
}

std::string SystemErrorText(int code)
{
    char buffer[256];
    // The GNU strerror_r returns the text, which may not be in `buffer`.
    return ::strerror_r(code, buffer, sizeof buffer);
}

}  // namespace platform
