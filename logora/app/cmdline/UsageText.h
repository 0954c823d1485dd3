#pragma once
// The text of "logora --help": every switch and option with an example, where
// the error log goes and the exit statuses.

#include <string_view>

namespace logora {

extern const std::string_view kUsageText;

}  // namespace logora
