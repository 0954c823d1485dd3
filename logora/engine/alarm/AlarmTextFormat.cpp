#include "logora/engine/alarm/AlarmTextFormat.h"

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"

void TwoDigits(int value, char* out)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

std::string_view CLocalTimeText::Format(int64_t seconds)
{
    CalendarParts parts;
    if (!clock_.Breakdown(seconds, parts)) {
        cachedDay_ = -1;
        return std::string_view(text_, CDataFormatHelper::FormatUnixDateTime(seconds, text_, kCapacity));
    }
    const int64_t day = (static_cast<int64_t>(parts.year) * 16 + parts.month) * 32 + parts.day;
    if (day != cachedDay_) {
        dateLength_ = CDataFormatHelper::FormatCalendarDate(parts, text_, kCapacity);
        cachedDay_ = day;
    }
    char* timeOfDay = text_ + dateLength_;
    timeOfDay[0] = ' ';
    TwoDigits(parts.hour, timeOfDay + 1);
    timeOfDay[3] = ':';
    TwoDigits(parts.minute, timeOfDay + 4);
    timeOfDay[6] = ':';
    TwoDigits(parts.second, timeOfDay + 7);
    return std::string_view(text_, dateLength_ + kTimeOfDayLength);
}

}  // namespace logora
