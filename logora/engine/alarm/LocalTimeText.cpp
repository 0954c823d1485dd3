#include "logora/engine/alarm/LocalTimeText.h"

#include <algorithm>
#include <cstring>

#include "common/bytes/ByteGroups.h"

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"
constexpr int64_t kSecondsPerMinute = 60;

}  // namespace

size_t LocalTimeText::Format(int64_t seconds, char* out)
{
    bool secondsOnly = false;
    const std::string_view text = Text(seconds, secondsOnly);
    CopyText(text, out);
    return text.size();
}

void LocalTimeText::Compose(int64_t seconds)
{
    CalendarParts parts;
    if (!clock_.Breakdown(seconds, parts)) {
        cachedDay_ = -1;
        sameFirst_ = 1;
        sameLast_ = 0;
        length_ = CDataFormatHelper::FormatUnixDateTime(seconds, text_, kCapacity);
        return;
    }
    const int64_t day = (static_cast<int64_t>(parts.year) * 16 + parts.month) * 32 + parts.day;
    if (day != cachedDay_) {
        dateLength_ = CDataFormatHelper::FormatCalendarDate(parts, date_, kCapacity);
        cachedDay_ = day;
    }
    CopyFewBytes(text_, date_, dateLength_);
    char* timeOfDay = text_ + dateLength_;
    timeOfDay[0] = ' ';
    TwoDigits(parts.hour, timeOfDay + 1);
    timeOfDay[3] = ':';
    TwoDigits(parts.minute, timeOfDay + 4);
    timeOfDay[6] = ':';
    TwoDigits(parts.second, timeOfDay + 7);
    length_ = dateLength_ + kTimeOfDayLength;
    // Inside a stretch of one offset the local time is the time + offset:
    // its times in the same minute change the seconds alone. A leap second
    // (second 60) lies in no stretch.
    int64_t first = 1;
    int64_t last = 0;
    clock_.KnownStretch(seconds, first, last);
    minuteStart_ = seconds - parts.second;
    sameFirst_ = std::max(first, minuteStart_);
    sameLast_ = std::min(last, minuteStart_ + kSecondsPerMinute - 1);
}

}  // namespace logora
