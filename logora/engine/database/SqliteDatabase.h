#pragma once
// A connection to an SQLite database and its prepared statements, closed and
// finalized by their owners. A connection is used by one thread at a time.

#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace logora {

struct SqliteCloser
{
    void operator()(sqlite3* connection) const;
    void operator()(sqlite3_stmt* statement) const;
};

using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteCloser>;

class SqliteDatabase
{
public:
    // Opens the database file at `path` (UTF-8) for writing, creating it when
    // it does not exist; false with Failure telling why.
    bool Open(const std::string& path);
    void Close() { connection_.reset(); }
    bool IsOpen() const { return connection_ != nullptr; }

    // Runs statements that return no rows; false with Failure telling why.
    bool Execute(const std::string& sql);
    // Null with Failure telling why when `sql` cannot be prepared.
    SqliteStatement Prepare(std::string_view sql);
    // Steps a statement that returns no rows to its end and resets it.
    bool Run(sqlite3_stmt* statement);
    // Whether the schema holds an object (table, index, ...) of that name.
    bool HasObject(const std::string& name);

    sqlite3* Connection() const { return connection_.get(); }
    // The library's message for the last call that failed.
    const std::string& Failure() const { return failure_; }

private:
    bool Failed();

    std::unique_ptr<sqlite3, SqliteCloser> connection_;
    std::string failure_;
};

}  // namespace logora
