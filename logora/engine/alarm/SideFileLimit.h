#pragma once
// The side files of an alarm log (the setup file, its "Alarms" stream, the
// embedded alarm file) are read whole into memory. None that a project makes
// comes near this size; a larger file is refused rather than read, so memory
// stays bounded whatever file is named.

#include <cstdint>

namespace logora {

inline constexpr uint64_t kSideFileLimit = uint64_t{256} << 20;

}  // namespace logora
