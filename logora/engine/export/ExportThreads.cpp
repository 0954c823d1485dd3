#include "logora/engine/export/ExportThreads.h"

#include <algorithm>
#include <thread>

namespace logora {

unsigned ExportThreadsFor(unsigned setting)
{
    return setting > 0 ? setting : std::max(1u, std::thread::hardware_concurrency());
}

}  // namespace logora
