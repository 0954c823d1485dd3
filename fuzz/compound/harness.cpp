// Compound files from memory: every file the layout check passes must open
// and read to its end without the library complaining (G_DEBUG makes its
// critical messages fatal) and without a stream larger than the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

#include "platform/compound/CompoundLayout.h"
#include "platform/compound/CompoundStorage.h"

namespace {

// Sub-storages deeper than this are not walked; sound files nest a few levels.
constexpr int kMaxDepth = 16;

void ReadEverything(platform::CompoundStorage root)
{
    std::vector<std::pair<platform::CompoundStorage, int>> pending;
    pending.emplace_back(std::move(root), 0);
    while (!pending.empty()) {
        auto [storage, depth] = std::move(pending.back());
        pending.pop_back();
        for (const std::string& name : storage.ChildNames()) {
            if (auto stream = storage.OpenStream(name)) {
                if (!stream->readAll()) std::abort();  // the check promised the whole chain
            } else if (depth < kMaxDepth) {
                if (auto child = storage.OpenStorage(name))
                    pending.emplace_back(std::move(*child), depth + 1);
            }
        }
    }
}

}  // namespace

// The library leaks on some malformed files; see tests/support/lsan.supp.
extern "C" const char* __asan_default_options()
{
    return "fast_unwind_on_malloc=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool criticalsFatal = setenv("G_DEBUG", "fatal-criticals", 1) == 0;
    (void)criticalsFatal;
    if (!platform::StartsWithCompoundSignature({data, size})) return 0;
    const platform::CompoundLayoutCheck check = platform::CheckCompoundLayout({data, size});
    if (check.outcome != platform::CompoundLayoutCheck::Outcome::Sound) return 0;
    platform::CompoundStorage::OpenResult opened =
        platform::CompoundStorage::OpenMemory({data, size}, "input.cfb");
    if (opened.storage) ReadEverything(std::move(*opened.storage));
    return 0;
}
