// Fuzz harness: the detection run over arbitrary bytes. Besides crashes and
// hangs it catches any difference between reading through a large read-ahead
// window and through a tiny one, which must give the same report.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "vettle/DetectTamper.h"

namespace {

std::string Detect(std::string_view bytes, size_t window)
{
    vettle::CMemoryByteSource source(bytes);
    vettle::CDetectRunState state;
    state.PrepareRun();
    vettle::DetectInSource(source, state, window);
    return state.Report();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (Detect(bytes, vettle::CBufferedReader::kDefaultWindow) != Detect(bytes, 5)) std::abort();
    return 0;
}
