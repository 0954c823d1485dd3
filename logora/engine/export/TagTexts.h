#pragma once
// The tags of a table that comes without a tag list (a saved datalog table, a
// Zarn data file without its tag file): the distinct texts of its tag column,
// without blanks, in the order they first appear.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace logora {

struct ColumnPlan;

// Appends the texts of records 0 to `count` - 1, each read by `readRecord`
// (false when a record cannot be read: then false here too). Nothing for a
// plan without a tag column.
bool CollectTagTexts(const ColumnPlan& plan, int64_t count, int floatLength, int decimalCount,
                     const std::function<bool(int64_t, const uint8_t**)>& readRecord,
                     std::vector<std::string>& tags);

}  // namespace logora
