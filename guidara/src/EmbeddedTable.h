#pragma once

#include <string_view>

namespace guidara {

// The help mapping CSV built into the library; the definition is generated
// at build time from the CSV file in the source tree.
std::string_view EmbeddedMappingTable();

}  // namespace guidara
