#include "platform/paths/NameIgnoringCase.h"

namespace platform {

// Windows file systems find a name in any letter case themselves.
std::string FindIgnoringCase(const std::string& path)
{
    return path;
}

}  // namespace platform
