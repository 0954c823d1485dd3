#pragma once
// A table being built whose bytes could not all be written (a full disk, a
// file size limit): the conversion that builds it fails rather than leave a
// table that looks complete.

#include <stdexcept>

#include "logora/engine/dbf/CDBF.h"

namespace logora {

class TableWriteError : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Writes out what was appended to `table`; throws TableWriteError, naming
// the file and the system's reason, when any of it could not be written.
void CompleteTable(CDBF& table);

}  // namespace logora
