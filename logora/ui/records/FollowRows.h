#pragma once
// What the list does with the rows a followed document gains: it stays where
// the user is, unless the last row was in view; then it follows the end.

#include <cstdint>
#include <string>

namespace logora::ui {

// Whether rows `firstVisible` .. `firstVisible + visibleRows - 1` took in
// the last of `rows` rows (an empty list counts as showing its end).
bool ShowsLastRow(int64_t firstVisible, int visibleRows, int64_t rows);

// The status bar's note of records taken in: "Following: 1,234 new records".
std::string FollowingText(int64_t added);

}  // namespace logora::ui
