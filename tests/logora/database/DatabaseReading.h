#pragma once
// Reads a database back, read-only, as lines of "|"-joined values (NULL for
// none), so tests compare what any SQLite reader sees.

#include <sqlite3.h>

#include <string>
#include <vector>

namespace logora::testing {

inline std::vector<std::string> QueryLines(const std::string& path, const std::string& sql)
{
    std::vector<std::string> lines;
    sqlite3* connection = nullptr;
    if (sqlite3_open_v2(path.c_str(), &connection, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(connection);
        return {"cannot open " + path};
    }
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(connection, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        lines.push_back(std::string("cannot query: ") + sqlite3_errmsg(connection));
    }
    while (statement != nullptr && sqlite3_step(statement) == SQLITE_ROW) {
        std::string line;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (i != 0) line += '|';
            const unsigned char* text = sqlite3_column_text(statement, i);
            line += text != nullptr ? reinterpret_cast<const char*>(text) : "NULL";
        }
        lines.push_back(line);
    }
    sqlite3_finalize(statement);
    sqlite3_close(connection);
    return lines;
}

}  // namespace logora::testing
