#include "logora/engine/alarm/AlarmTextFormat.h"

#include <cstring>

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"

void TwoDigits(int value, char* out)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

void FormatFixedWidthInt(int32_t value, int width, char* out)
{
    char digits[12];
    size_t length = 0;
    uint32_t magnitude = value < 0 ? 0u - static_cast<uint32_t>(value) : static_cast<uint32_t>(value);
    do {
        digits[length++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0) digits[length++] = '-';
    // The formatted text: padding, then the digits in reading order; only
    // its first `width` characters are kept.
    const size_t padding = length < static_cast<size_t>(width) ? static_cast<size_t>(width) - length : 0;
    std::memset(out, ' ', padding);
    for (size_t i = 0; padding + i < static_cast<size_t>(width); ++i)
        out[padding + i] = digits[length - 1 - i];
}

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
