#pragma once
// Names of the database's tables and columns. SQLite takes any text as a
// name when it is quoted, and compares names with ASCII letters in either
// case alike.

#include <string>
#include <string_view>
#include <vector>

namespace logora {

// The table that lists what each table was converted from.
inline constexpr std::string_view kSourcesTable = "sources";

// `name` as a quoted identifier: in double quotes, each one inside doubled.
std::string QuotedName(std::string_view name);

// The table of an input: its file name without extension, unless that is
// the sources table's name or one SQLite keeps for itself ("sqlite_...").
std::string TableNameFor(const std::string& inputPath);

// `names` with each one that repeats an earlier one given the first free
// suffix "_2", "_3", ...
std::vector<std::string> DistinctNames(const std::vector<std::string>& names);

}  // namespace logora
