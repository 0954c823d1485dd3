#include "logora/engine/database/RowStatement.h"

#include <sqlite3.h>

#include "logora/engine/database/SqlNames.h"

namespace logora {

bool RowStatement::Prepare(SqliteDatabase& database, const std::string& table, const RowLayout& layout)
{
    database_ = &database;
    columns_ = layout.columns;
    hasTimeStamp_ = layout.hasTimeStamp;
    const size_t parameters = columns_.size() + (hasTimeStamp_ ? 1 : 0);
    texts_.assign(parameters, IsoText());
    std::string sql = "INSERT INTO " + QuotedName(table) + " VALUES (";
    for (size_t i = 0; i < parameters; ++i) sql += i == 0 ? "?" : ", ?";
    insert_ = database.Prepare(sql + ")");
    return insert_ != nullptr;
}

void RowStatement::BindText(int parameter, std::string_view text)
{
    sqlite3_bind_text(insert_.get(), parameter, text.data(), static_cast<int>(text.size()), SQLITE_STATIC);
}

void RowStatement::Bind(int parameter, const RowColumn& column, const RowCell& cell, IsoText& text)
{
    sqlite3_stmt* insert = insert_.get();
    if (cell.empty) {
        if (cell.text.empty()) {
            sqlite3_bind_null(insert, parameter);
        } else {
            BindText(parameter, cell.text);
        }
        return;
    }
    switch (column.kind) {
        case CellKind::Number:
            sqlite3_bind_double(insert, parameter, cell.number);
            return;
        case CellKind::Integer:
            sqlite3_bind_int64(insert, parameter, cell.integer);
            return;
        case CellKind::Date:
            text = IsoDate(cell.when);
            break;
        case CellKind::Time:
            text = IsoTime(cell.when);
            break;
        case CellKind::DateTime:
            text = IsoDateTime(cell.when);
            break;
        case CellKind::Text:
            BindText(parameter, cell.text);
            return;
    }
    BindText(parameter, text.View());
}

bool RowStatement::Insert(const RowCell* cells, const CivilTime* timeStamp)
{
    for (size_t i = 0; i < columns_.size(); ++i)
        Bind(static_cast<int>(i) + 1, columns_[i], cells[i], texts_[i]);
    if (hasTimeStamp_) {
        const int parameter = static_cast<int>(columns_.size()) + 1;
        if (timeStamp == nullptr) {
            sqlite3_bind_null(insert_.get(), parameter);
        } else {
            texts_.back() = IsoDateTimeMilliseconds(*timeStamp);
            BindText(parameter, texts_.back().View());
        }
    }
    return database_->Run(insert_.get());
}

}  // namespace logora
