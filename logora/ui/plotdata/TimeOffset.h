#pragma once
// A file's time offset in a plot, as the user types and reads it: a sign,
// then hours, minutes and seconds, the larger first ("+24 h", "-1 h 30 min",
// "90 min", "+1:30"); a number alone is hours. Lays yesterday's log over
// today's.

#include <optional>
#include <string>
#include <string_view>

namespace logora::ui {

// Whole seconds; nothing for a text that is no offset. Offsets beyond
// kMaxOffsetHours are refused: no log spans them.
std::optional<double> ParseTimeOffset(std::string_view text);
// "+24 h", "-1 h 30 min", "+45 s", "0 h": what ParseTimeOffset reads back.
std::string FormatTimeOffset(double seconds);

inline constexpr double kMaxOffsetHours = 100 * 365.25 * 24;

}  // namespace logora::ui
