#pragma once
// The table a layout's rows go into: a column per layout column, typed by
// its kind, and the time-stamp column last when the rows carry one; indexes
// on the time and the tag, which a reader of a datalog filters by.

#include <string>
#include <vector>

#include "logora/engine/rows/RowLayout.h"

namespace logora {

class SqliteDatabase;

// The name of the column for the rows' time stamps, unless a column of the
// layout has that name.
inline constexpr const char* kTimeStampColumn = "DateTime";

struct TableSchema
{
    std::vector<std::string> columnNames;  // distinct, the time stamp's last
    std::vector<std::string> indexedColumns;

    explicit TableSchema(const RowLayout& layout);
    // CREATE TABLE of these columns under `table`.
    std::string CreateSql(const std::string& table, const RowLayout& layout) const;
    // Creates an index on each indexed column of `table`, named after both
    // where that name is free; false with the database's failure.
    bool CreateIndexes(SqliteDatabase& database, const std::string& table) const;
};

}  // namespace logora
