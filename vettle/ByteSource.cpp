#include "vettle/ByteSource.h"

#include <algorithm>
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

CFileByteSource::OpenResult CFileByteSource::Open(const std::string& path)
{
    return file_.OpenRegular(path);
}

}  // namespace vettle
