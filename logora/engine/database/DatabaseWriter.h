#pragma once
// The SQLite database output: the rows of one input become one table, named
// after the input, with typed columns, the rows' time stamps, indexes on the
// time and the tag, and the input listed in the table "sources".

#include <memory>

#include "logora/engine/outputs/OutputFormats.h"
#include "logora/engine/rows/RowWriter.h"

namespace logora {

// A new database that replaces the file at the path Prepare gets, renamed
// into place only when complete.
std::unique_ptr<RowWriter> MakeDatabaseWriter(const OutputOrigin& origin);

// One more table in the database at the path Prepare gets, which is created
// when missing and written in place: in one transaction, so a failed or
// cancelled input leaves the database as it was, and a table of the same name
// is replaced only once the new one is complete.
std::unique_ptr<RowWriter> MakeDatabaseWriterInto(const OutputOrigin& origin);

}  // namespace logora
