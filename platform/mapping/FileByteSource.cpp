#include "platform/mapping/FileByteSource.h"

#include <cerrno>

#include "platform/files/FileAccess.h"

namespace platform {

FileByteSource::OpenResult FileByteSource::Open(const std::string& path)
{
    if (file_.OpenRead(path)) return OpenResult::Opened;
    // The open's reason, not the existence check's, is what callers report.
    const int reason = errno;
    const bool missing = !PathExists(path);
    errno = reason;
    return missing ? OpenResult::Missing : OpenResult::NotOpened;
}

}  // namespace platform
