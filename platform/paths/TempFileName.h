#pragma once
// The names of locked temporary files: <prefix><6 letters or digits><suffix>.
#include <cstddef>
#include <string>

namespace platform {

inline constexpr size_t kTempFileUniqueLength = 6;

bool IsTempFileName(const std::string& name, const std::string& prefix, const std::string& suffix);

}  // namespace platform
