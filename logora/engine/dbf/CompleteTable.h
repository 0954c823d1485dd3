#pragma once
// A table being built whose bytes could not all be written (a full disk, a
// file size limit): the conversion that builds it fails rather than leave a
// table that looks complete.

#include <string>

#include "logora/engine/dbf/CDBF.h"

namespace logora {

// Writes out what was appended to `table`, built from `input`; throws
// ConversionError (TableUnwritten, naming the input and the system's
// reason) when any of it could not be written.
void CompleteTable(CDBF& table, const std::string& input);

}  // namespace logora
