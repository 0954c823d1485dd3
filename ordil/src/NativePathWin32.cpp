#include "ordil/src/NativePath.h"

#include "ordil/src/Text16.h"

namespace ordil {

// Drives and UNC shares are the system's own here: the path is the same path
// in UTF-8.
bool toNativePath(std::u16string_view path, std::string& native)
{
    return !path.empty() && toUtf8Path(path, native);
}

}  // namespace ordil
