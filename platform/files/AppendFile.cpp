#include "platform/files/AppendFile.h"

#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool AppendInOneWrite(const std::string& path, std::string_view bytes)
{
    int file = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
    if (file < 0) return false;
    ssize_t written = write(file, bytes.data(), bytes.size());
    bool closed = close(file) == 0;
    return closed && written == static_cast<ssize_t>(bytes.size());
}

}  // namespace platform
