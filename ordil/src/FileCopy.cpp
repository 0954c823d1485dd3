// Copies a file's bytes, overwriting the target without ever leaving it half
// written where that can be avoided.
#include "platform/files/FileCopy.h"
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/NativePath.h"

#include <string>

using namespace ordil;

extern "C" int UtlFileCopy(const char16_t* source, const char16_t* target)
{
    return guarded(0, [&] {
        std::string from;
        std::string to;
        return int(source && target && toNativePath(source, from) && toNativePath(target, to) &&
                   platform::CopyFileOnto(from, to));
    });
}
