#include <windows.h>

#include <objbase.h>

#include <algorithm>

#include "platform/compound/CompoundStream.h"

namespace platform {

uint64_t CompoundStream::size() const
{
    STATSTG status{};
    if (FAILED(stream_->Stat(&status, STATFLAG_NONAME))) return 0;
    return status.cbSize.QuadPart;
}

size_t CompoundStream::readAt(uint64_t offset, std::span<uint8_t> out) const
{
    const uint64_t total = size();
    if (offset >= total || out.empty()) return 0;
    const size_t count = size_t(std::min<uint64_t>(out.size(), total - offset));
    LARGE_INTEGER at{};
    at.QuadPart = LONGLONG(offset);
    if (FAILED(stream_->Seek(at, STREAM_SEEK_SET, nullptr))) return 0;
    size_t done = 0;
    while (done < count) {
        ULONG got = 0;
        if (FAILED(stream_->Read(out.data() + done, ULONG(count - done), &got)) || got == 0) return 0;
        done += got;
    }
    return count;
}

}  // namespace platform
