#include "platform/compound/CompoundStream.h"

#include <algorithm>

namespace platform {

uint64_t CompoundStream::size() const
{
    gsf_off_t size = gsf_input_size(input_.get());
    return size > 0 ? static_cast<uint64_t>(size) : 0;
}

size_t CompoundStream::readAt(uint64_t offset, std::span<uint8_t> out) const
{
    uint64_t total = size();
    if (offset >= total || out.empty()) return 0;
    size_t count = static_cast<size_t>(std::min<uint64_t>(out.size(), total - offset));
    if (gsf_input_seek(input_.get(), static_cast<gsf_off_t>(offset), G_SEEK_SET)) return 0;
    if (!gsf_input_read(input_.get(), count, out.data())) return 0;
    return count;
}

}  // namespace platform
