#include "platform/mapping/MappedWindow.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>

namespace platform {

MappedWindow::~MappedWindow()
{
    release();
}

int MappedWindow::map(const MappedFile& file, uint64_t offset, size_t length)
{
    release();
    if (!file.isOpen()) return EBADF;
    if (offset % kMappingViewSize != 0) return EINVAL;
    const int protection = file.isWritable() ? PROT_READ | PROT_WRITE : PROT_READ;
    void* address =
        ::mmap(nullptr, length, protection, MAP_SHARED, file.descriptor(), static_cast<off_t>(offset));
    if (address == MAP_FAILED) return errno;
    data_ = static_cast<uint8_t*>(address);
    length_ = length;
    return 0;
}

void MappedWindow::release()
{
    if (data_ != nullptr) ::munmap(data_, length_);
    data_ = nullptr;
    length_ = 0;
}

std::string SystemErrorText(int code)
{
    char buffer[256];
    // The GNU strerror_r returns the text, which may not be in `buffer`.
    return ::strerror_r(code, buffer, sizeof buffer);
}

}  // namespace platform
