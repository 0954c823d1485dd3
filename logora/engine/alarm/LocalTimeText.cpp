#include "logora/engine/alarm/LocalTimeText.h"

#include "common/bytes/ByteGroups.h"

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"
constexpr int64_t kSecondsPerMinute = 60;

void TwoDigits(int value, char* out)
{
    out[0] = static_cast<char>('0' + value / 10);
    out[1] = static_cast<char>('0' + value % 10);
}

// Minutes since 1970 of local seconds, earlier ones too.
int64_t MinuteOf(int64_t localSeconds)
{
    const int64_t minute = localSeconds / kSecondsPerMinute;
    return localSeconds % kSecondsPerMinute < 0 ? minute - 1 : minute;
}

}  // namespace

std::string_view LocalTimeText::Text(int64_t seconds, bool& secondsOnly)
{
    int64_t offset = 0;
    // Inside a stretch of one offset the local time is `seconds` + offset:
    // the same minute at the same offset changes the seconds alone.
    secondsOnly = minuteKept_ && clock_.KnownOffset(seconds, offset) && offset == offset_ &&
                  MinuteOf(seconds + offset) == minute_;
    if (secondsOnly) {
        TwoDigits(static_cast<int>(seconds + offset - minute_ * kSecondsPerMinute), text_ + length_ - 2);
    } else {
        Compose(seconds);
    }
    return std::string_view(text_, length_);
}

size_t LocalTimeText::Format(int64_t seconds, char* out)
{
    bool secondsOnly = false;
    const std::string_view text = Text(seconds, secondsOnly);
    CopyFewBytes(out, text.data(), text.size());
    return text.size();
}

void LocalTimeText::Compose(int64_t seconds)
{
    CalendarParts parts;
    if (!clock_.Breakdown(seconds, parts)) {
        cachedDay_ = -1;
        minuteKept_ = false;
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
    // A leap second (second 60) keeps no minute.
    minuteKept_ = parts.second < kSecondsPerMinute && clock_.KnownOffset(seconds, offset_);
    if (minuteKept_) minute_ = MinuteOf(seconds + offset_);
}

}  // namespace logora
