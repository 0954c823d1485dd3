#include "platform/display/DisplayCheck.h"

namespace platform {

// A Windows session always has a desktop to show windows on.
bool CanShowWindows(std::string& missing)
{
    missing.clear();
    return true;
}

}  // namespace platform
