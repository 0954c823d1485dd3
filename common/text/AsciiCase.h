#pragma once
// Names compared the way the file formats and settings of the product family
// compare them: ASCII letters without regard to case, every other byte as it
// is, whatever locale the process runs in.

#include <string_view>

namespace common {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

}  // namespace common
