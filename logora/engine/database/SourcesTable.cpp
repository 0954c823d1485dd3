#include "logora/engine/database/SourcesTable.h"

#include <sqlite3.h>

#include "logora/engine/database/IsoTimeText.h"
#include "logora/engine/database/SqlNames.h"
#include "logora/engine/database/SqliteDatabase.h"
#include "logora/engine/outputs/OutputFormats.h"

namespace logora {

bool EnsureSourcesTable(SqliteDatabase& database)
{
    return database.Execute("CREATE TABLE IF NOT EXISTS " + QuotedName(kSourcesTable) +
                            " (table_name TEXT PRIMARY KEY, input_path TEXT, input_format TEXT,"
                            " row_count INTEGER, converted_at TEXT)");
}

bool RecordSource(SqliteDatabase& database, const std::string& table, const OutputOrigin& origin,
                  int64_t rows, std::chrono::system_clock::time_point converted)
{
    SqliteStatement insert =
        database.Prepare("INSERT OR REPLACE INTO " + QuotedName(kSourcesTable) +
                         " (table_name, input_path, input_format, row_count, converted_at)"
                         " VALUES (?, ?, ?, ?, ?)");
    if (!insert) return false;
    const IsoText when = IsoUtc(converted);
    sqlite3_stmt* statement = insert.get();
    sqlite3_bind_text(statement, 1, table.data(), static_cast<int>(table.size()), SQLITE_STATIC);
    sqlite3_bind_text(statement, 2, origin.inputPath.data(), static_cast<int>(origin.inputPath.size()),
                      SQLITE_STATIC);
    sqlite3_bind_text(statement, 3, origin.formatName.data(), static_cast<int>(origin.formatName.size()),
                      SQLITE_STATIC);
    sqlite3_bind_int64(statement, 4, rows);
    sqlite3_bind_text(statement, 5, when.bytes, when.length, SQLITE_STATIC);
    return database.Run(statement);
}

}  // namespace logora
