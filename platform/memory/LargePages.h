#pragma once
// Large blocks that are filled soon after they are allocated (columns of a
// table read into memory): the system may back them with its large pages,
// as each first touch of an ordinary page costs a fault, and the faults of a
// block of many megabytes cost as much as filling it.

#include <cstddef>

namespace platform {

// Advises the system to back the whole large pages inside `data` ..
// `data + bytes` with large pages; a hint, without effect where the system
// has no such pages to give.
void AdviseLargePages(void* data, size_t bytes);

}  // namespace platform
