// Fuzz harness: the detection run over arbitrary bytes. Besides crashes and
// hangs it catches any difference between reading through a large read-ahead
// window and through a tiny one, and between checking the lines in one part
// and in two, which must all give the same report.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/bytes/MemoryByteSource.h"
#include "vettle/DetectTamper.h"

namespace {

std::string Detect(std::string_view bytes, size_t window, int64_t splitAt = vettle::kNoSplit)
{
    common::MemoryByteSource source(bytes);
    vettle::DetectRunState state;
    state.PrepareRun();
    vettle::DetectInSource(source, state, window, splitAt);
    return state.Report();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string report = Detect(bytes, vettle::BufferedReader::kDefaultWindow);
    if (report != Detect(bytes, 5)) std::abort();
    if (report != Detect(bytes, 7, static_cast<int64_t>(size / 2))) std::abort();
    return 0;
}
