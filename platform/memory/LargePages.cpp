#include "platform/memory/LargePages.h"

#include <sys/mman.h>

#include <cstdint>

namespace platform {

void AdviseLargePages(void* data, size_t bytes)
{
#ifdef MADV_HUGEPAGE
    // Transparent huge pages of 2 MiB; madvise takes only whole pages.
    constexpr uintptr_t kLargePage = uintptr_t{2} << 20;
    const auto start = reinterpret_cast<uintptr_t>(data);
    const uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t end = (start + bytes) & ~(kLargePage - 1);
    // A hint: a kernel without them answers EINVAL, which changes nothing.
    if (first < end) madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

}  // namespace platform
