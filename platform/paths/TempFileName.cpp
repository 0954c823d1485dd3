#include "platform/paths/TempFileName.h"

#include <cctype>

namespace platform {

bool IsTempFileName(const std::string& name, const std::string& prefix, const std::string& suffix)
{
    if (name.size() != prefix.size() + kTempFileUniqueLength + suffix.size()) return false;
    if (name.compare(0, prefix.size(), prefix) != 0) return false;
    if (name.compare(prefix.size() + kTempFileUniqueLength, suffix.size(), suffix) != 0) return false;
    for (size_t i = prefix.size(); i < prefix.size() + kTempFileUniqueLength; ++i) {
        if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
    }
    return true;
}

}  // namespace platform
