#pragma once

#include <string>

namespace guidara {

// The 8-bit entry points' widening: each byte becomes one UTF-16 unit.
std::u16string WidenBytes(const char* text);

}  // namespace guidara
