#include "logora/engine/database/TableSchema.h"

#include <algorithm>

#include "logora/engine/database/SqlNames.h"
#include "logora/engine/database/SqliteDatabase.h"

namespace logora {

namespace {

// Dates and times are ISO 8601 texts: SQLite has no date type, and its date
// functions read these.
const char* TypeOf(CellKind kind)
{
    switch (kind) {
        case CellKind::Number:
            return "REAL";
        case CellKind::Integer:
            return "INTEGER";
        case CellKind::Date:
        case CellKind::Time:
        case CellKind::DateTime:
        case CellKind::Text:
            break;
    }
    return "TEXT";
}

// The time stamp when the rows carry one, else the first date-and-time column.
int TimeColumn(const RowLayout& layout)
{
    if (layout.hasTimeStamp) return static_cast<int>(layout.columns.size());
    const auto found =
        std::find_if(layout.columns.begin(), layout.columns.end(),
                     [](const RowColumn& column) { return column.kind == CellKind::DateTime; });
    return found == layout.columns.end() ? -1 : static_cast<int>(found - layout.columns.begin());
}

}  // namespace

TableSchema::TableSchema(const RowLayout& layout)
{
    for (const RowColumn& column : layout.columns) columnNames.push_back(column.name);
    if (layout.hasTimeStamp) columnNames.push_back(kTimeStampColumn);
    columnNames = DistinctNames(columnNames);
    if (const int time = TimeColumn(layout); time >= 0) indexedColumns.push_back(columnNames[time]);
    for (size_t i = 0; i < layout.columns.size(); ++i) {
        if (layout.columns[i].role == ColumnRole::Tag) indexedColumns.push_back(columnNames[i]);
    }
}

std::string TableSchema::CreateSql(const std::string& table, const RowLayout& layout) const
{
    std::string sql = "CREATE TABLE " + QuotedName(table) + " (";
    for (size_t i = 0; i < columnNames.size(); ++i) {
        if (i != 0) sql += ", ";
        const CellKind kind = i < layout.columns.size() ? layout.columns[i].kind : CellKind::Text;
        sql += QuotedName(columnNames[i]) + " " + TypeOf(kind);
    }
    return sql + ")";
}

bool TableSchema::CreateIndexes(SqliteDatabase& database, const std::string& table) const
{
    for (const std::string& column : indexedColumns) {
        const std::string base = table + " by " + column;
        std::string name = base;
        for (int suffix = 2; database.HasObject(name); ++suffix) name = base + " " + std::to_string(suffix);
        if (!database.Execute("CREATE INDEX " + QuotedName(name) + " ON " + QuotedName(table) + " (" +
                              QuotedName(column) + ")"))
            return false;
    }
    return true;
}

}  // namespace logora
