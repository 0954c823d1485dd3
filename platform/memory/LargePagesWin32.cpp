#include "platform/memory/LargePages.h"

namespace platform {

// Windows gives large pages only to memory allocated with MEM_LARGE_PAGES by
// a process holding the lock-pages privilege, never to memory it already
// has: there is nothing to advise.
void AdviseLargePages(void*, size_t) {}

}  // namespace platform
