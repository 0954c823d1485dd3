#pragma once
// The names of locked temporary files: <prefix><6 letters or digits>.tmp.
#include <cstddef>
#include <string>

namespace platform {

inline constexpr char kTempFileSuffix[] = ".tmp";
inline constexpr size_t kTempFileSuffixLength = sizeof kTempFileSuffix - 1;
inline constexpr size_t kTempFileUniqueLength = 6;

bool IsTempFileName(const std::string& name, const std::string& prefix);

}  // namespace platform
