#pragma once
// The prepared INSERT of one table's rows. A cell without a value is NULL,
// unless it holds text its column's kind cannot read: then that text is
// stored as it is (SQLite keeps a text in any column), so no value is lost.

#include <string>
#include <vector>

#include "logora/engine/database/IsoTimeText.h"
#include "logora/engine/database/SqliteDatabase.h"
#include "logora/engine/rows/RowLayout.h"

namespace logora {

class RowStatement
{
public:
    // False with the database's failure when the statement cannot be prepared.
    bool Prepare(SqliteDatabase& database, const std::string& table, const RowLayout& layout);
    // Inserts one row: a cell per layout column, then the time stamp when the
    // layout has one.
    bool Insert(const RowCell* cells, const CivilTime* timeStamp);

private:
    void Bind(int parameter, const RowColumn& column, const RowCell& cell, IsoText& text);
    void BindText(int parameter, std::string_view text);

    SqliteDatabase* database_ = nullptr;
    SqliteStatement insert_;
    std::vector<RowColumn> columns_;
    bool hasTimeStamp_ = false;
    // The texts of dates and times, alive until the row is inserted.
    std::vector<IsoText> texts_;
};

}  // namespace logora
