#pragma once
// The table "sources": for each table of the database, the input it was
// converted from, the input's format, its row count and when it was
// converted (ISO 8601, UTC). Converting into a table again replaces its row.

#include <chrono>
#include <cstdint>
#include <string>

namespace logora {

class SqliteDatabase;
struct OutputOrigin;

// Creates the table unless the database has it; false with the database's
// failure, as for a file that is not a database.
bool EnsureSourcesTable(SqliteDatabase& database);

bool RecordSource(SqliteDatabase& database, const std::string& table, const OutputOrigin& origin,
                  int64_t rows, std::chrono::system_clock::time_point converted);

}  // namespace logora
