#include "platform/files/RegularFile.h"

namespace platform {

namespace {

constexpr uint64_t kMebibyte = 1 << 20;

}  // namespace

std::string SizeBeyondLimitText(const std::string& what, uint64_t size, uint64_t limit)
{
    std::string text = what + ": " + std::to_string(size) + " bytes, more than the limit of " +
                       std::to_string(limit) + " bytes";
    if (limit % kMebibyte == 0) text += " (" + std::to_string(limit / kMebibyte) + " MiB)";
    return text;
}

}  // namespace platform
