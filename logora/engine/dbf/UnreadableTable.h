#pragma once
// Why a file cannot be loaded as a table, for the message that says so.

#include <string>

#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {

// The file and what is wrong with it: it cannot be opened, is shorter than a
// table header, or its header does not fit the file. A failed mapping on the
// way goes to `reportError`.
std::string DescribeUnreadableTable(const std::string& path, const MappingErrorSink& reportError);

}  // namespace logora
