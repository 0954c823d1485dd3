#pragma once
// A hint to the processor to bring memory into its caches ahead of its use,
// for lookups whose addresses are known a few records early. Never faults,
// whatever the address.

namespace logora {

inline void Prefetch(const void* address)
{
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

}  // namespace logora
