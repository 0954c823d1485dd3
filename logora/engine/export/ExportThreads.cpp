#include "logora/engine/export/ExportThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace logora {

namespace {

std::atomic<unsigned> setThreads{0};

}  // namespace

unsigned ExportThreads()
{
    const unsigned threads = setThreads.load(std::memory_order_relaxed);
    return threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency());
}

void SetExportThreads(unsigned threads)
{
    setThreads.store(threads, std::memory_order_relaxed);
}

}  // namespace logora
