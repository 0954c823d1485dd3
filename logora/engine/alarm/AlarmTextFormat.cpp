#include "logora/engine/alarm/AlarmTextFormat.h"

#include <cstring>
#include <ctime>

#include "logora/engine/export/CDataFormatHelper.h"
#include "platform/localtime/LocalTime.h"

namespace logora {

namespace {

constexpr size_t kCapacity = 100;
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
    std::tm local{};
    const bool brokenDown = platform::BreakDownLocalTime(seconds, local) && local.tm_year + 1900 >= 1 &&
                            local.tm_year + 1900 <= 9999;
    const int64_t day =
        brokenDown ? (static_cast<int64_t>(local.tm_year) * 16 + local.tm_mon) * 32 + local.tm_mday : -1;
    if (day < 0 || day != cachedDay_) {
        char full[CDataFormatHelper::DateTextRoom(kCapacity)];
        const size_t length = CDataFormatHelper::FormatUnixDateTime(seconds, full, kCapacity);
        text_.assign(full, length);
        const bool split = day >= 0 && length >= kTimeOfDayLength && full[length - kTimeOfDayLength] == ' ';
        cachedDay_ = split ? day : -1;
        if (split) datePart_.assign(full, length - kTimeOfDayLength);
        return text_;
    }
    char timeOfDay[kTimeOfDayLength] = {' ', 0, 0, ':', 0, 0, ':', 0, 0};
    TwoDigits(local.tm_hour, timeOfDay + 1);
    TwoDigits(local.tm_min, timeOfDay + 4);
    TwoDigits(local.tm_sec, timeOfDay + 7);
    text_.assign(datePart_);
    text_.append(timeOfDay, kTimeOfDayLength);
    return text_;
}

}  // namespace logora
