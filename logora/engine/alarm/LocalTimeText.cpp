#include "logora/engine/alarm/LocalTimeText.h"

#include "common/bytes/ByteGroups.h"

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"

void TwoDigits(int value, char* out)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

}  // namespace

size_t LocalTimeText::Format(int64_t seconds, char* out)
{
    CalendarParts parts;
    if (!clock_.Breakdown(seconds, parts)) {
        cachedDay_ = -1;
        return CDataFormatHelper::FormatUnixDateTime(seconds, out, kCapacity);
    }
    const int64_t day = (static_cast<int64_t>(parts.year) * 16 + parts.month) * 32 + parts.day;
    if (day != cachedDay_) {
        dateLength_ = CDataFormatHelper::FormatCalendarDate(parts, date_, kCapacity);
        cachedDay_ = day;
    }
    CopyFewBytes(out, date_, dateLength_);
    char* timeOfDay = out + dateLength_;
    timeOfDay[0] = ' ';
    TwoDigits(parts.hour, timeOfDay + 1);
    timeOfDay[3] = ':';
    TwoDigits(parts.minute, timeOfDay + 4);
    timeOfDay[6] = ':';
    TwoDigits(parts.second, timeOfDay + 7);
    return dateLength_ + kTimeOfDayLength;
}

}  // namespace logora
