#pragma once
// Caps the address space of the (child) process just below what it uses, so
// that no further file window can be mapped. Not usable under the address
// sanitizer, which needs address space of its own.

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>

#if defined(__SANITIZE_ADDRESS__)
#define LOGORA_UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define LOGORA_UNDER_ADDRESS_SANITIZER 1
#endif
#endif

namespace logora::testing {

inline bool CapAddressSpaceBelowUse()
{
    std::ifstream statm("/proc/self/statm");
    uint64_t pages = 0;
    if (!(statm >> pages)) return false;
    const uint64_t inUse = pages * static_cast<uint64_t>(::sysconf(_SC_PAGESIZE));
    const rlimit cap{inUse - 4096, inUse - 4096};
    return ::setrlimit(RLIMIT_AS, &cap) == 0;
}

}  // namespace logora::testing
