// Free space and file-name capabilities of the volume that holds a path.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/NativeFs.h"
#include "ordil/src/Text16.h"
#include "ordil/src/UncPath.h"

#include <string>

using namespace ordil;

namespace {

// The folder whose volume holds `path`: the path itself, or the nearest
// existing folder above it, so that a file still to be created is measured
// on its own volume. A UNC path is never followed above its share.
std::optional<VolumeInfo> volumeOf(std::u16string_view path)
{
    size_t floor = 0;
    if (auto unc = splitUncPath(path)) floor = 2 + unc->server.size() + 1 + unc->share.size();
    std::u16string current(path);
    while (true) {
        if (auto info = volumeInfo(current.empty() ? u"." : current)) return info;
        if (current.empty()) return std::nullopt;
        size_t cut = current.find_last_of(u"\\/");
        if (cut == std::u16string::npos) {
            current.clear();
        } else if (cut == 0) {
            if (current.size() == 1) return std::nullopt;
            current.resize(1);
        } else if (cut < floor) {
            return std::nullopt;
        } else {
            current.resize(cut);
        }
    }
}

}  // namespace

extern "C" {

uint32_t UtlGetDiskFreeSpace(const char16_t* path)
{
    return guarded(uint32_t(0), [&] {
        if (!path || !driveUsable(path)) return uint32_t(0);
        auto info = volumeOf(path);
        if (!info) return uint32_t(0);
        // Saturates instead of wrapping, so 4 GiB or more never reads as little space.
        return info->freeBytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(info->freeBytes);
    });
}

int UtlLongFilenameSupported(const char16_t* path)
{
    return guarded(0, [&] {
        auto root = pathRoot(view(path));
        if (!root) return 0;
        auto info = volumeInfo(root->empty() ? u"." : *root);
        // The current folder's volume needs one character less, as on the callers' platform.
        return int(info && info->maxComponentLength > (root->empty() ? 11u : 12u));
    });
}

}  // extern "C"
