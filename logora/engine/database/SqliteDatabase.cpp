#include "logora/engine/database/SqliteDatabase.h"

#include <sqlite3.h>

namespace logora {

namespace {

// Another program reading the database holds its lock this long at most
// before a write gives up.
constexpr int kBusyMilliseconds = 60000;

}  // namespace

void SqliteCloser::operator()(sqlite3* connection) const
{
    sqlite3_close_v2(connection);
}

void SqliteCloser::operator()(sqlite3_stmt* statement) const
{
    sqlite3_finalize(statement);
}

bool SqliteDatabase::Open(const std::string& path)
{
    sqlite3* connection = nullptr;
    const int result = sqlite3_open_v2(
        path.c_str(), &connection,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE, nullptr);
    connection_.reset(connection);
    if (result != SQLITE_OK) {
        failure_ = connection != nullptr ? sqlite3_errmsg(connection) : sqlite3_errstr(result);
        connection_.reset();
        return false;
    }
    sqlite3_busy_timeout(connection, kBusyMilliseconds);
    return true;
}

bool SqliteDatabase::Failed()
{
    failure_ = sqlite3_errmsg(connection_.get());
    return false;
}

bool SqliteDatabase::Execute(const std::string& sql)
{
    return sqlite3_exec(connection_.get(), sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK || Failed();
}

SqliteStatement SqliteDatabase::Prepare(std::string_view sql)
{
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v3(connection_.get(), sql.data(), static_cast<int>(sql.size()),
                           SQLITE_PREPARE_PERSISTENT, &statement, nullptr) != SQLITE_OK)
        Failed();
    return SqliteStatement(statement);
}

bool SqliteDatabase::Run(sqlite3_stmt* statement)
{
    const int result = sqlite3_step(statement);
    sqlite3_reset(statement);
    return result == SQLITE_DONE || Failed();
}

bool SqliteDatabase::HasObject(const std::string& name)
{
    // Names compare as SQLite compares them: ASCII letters in either case.
    SqliteStatement query = Prepare("SELECT 1 FROM sqlite_master WHERE name = ?1 COLLATE NOCASE");
    if (!query) return false;
    sqlite3_bind_text(query.get(), 1, name.data(), static_cast<int>(name.size()), SQLITE_STATIC);
    return sqlite3_step(query.get()) == SQLITE_ROW;
}

}  // namespace logora
