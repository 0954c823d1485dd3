#include "logora/ui/records/FollowRows.h"

namespace logora::ui {

bool ShowsLastRow(int64_t firstVisible, int visibleRows, int64_t rows)
{
    return rows == 0 || firstVisible + visibleRows >= rows;
}

std::string FollowingText(int64_t added)
{
    std::string digits = std::to_string(added);
    for (size_t at = digits.size(); at > 3; at -= 3) digits.insert(at - 3, ",");
    return "Following: " + digits + (added == 1 ? " new record" : " new records");
}

}  // namespace logora::ui
