#include "logora/engine/database/IsoTimeText.h"

#include "common/time/CivilCalendar.h"

namespace logora {

namespace {

// Appends `value` with `width` digits; a year outside 0..9999 is clamped,
// as no record of ours names one.
void Put(IsoText& text, int value, int width)
{
    int limit = 1;
    for (int i = 0; i < width; ++i) limit *= 10;
    value = value < 0 ? 0 : value >= limit ? limit - 1 : value;
    for (int i = width - 1; i >= 0; --i) {
        text.bytes[text.length + i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    text.length += width;
}

void PutChar(IsoText& text, char c)
{
    text.bytes[text.length++] = c;
}

// "first-second-third" or "first:second:third".
void PutThree(IsoText& text, int first, int firstWidth, int second, int third, char separator)
{
    Put(text, first, firstWidth);
    PutChar(text, separator);
    Put(text, second, 2);
    PutChar(text, separator);
    Put(text, third, 2);
}

void PutDate(IsoText& text, const CivilTime& when)
{
    PutThree(text, when.year, 4, when.month, when.day, '-');
}

void PutTime(IsoText& text, const CivilTime& when)
{
    PutThree(text, when.hour, 2, when.minute, when.second, ':');
}

}  // namespace

IsoText IsoDate(const CivilTime& when)
{
    IsoText text;
    PutDate(text, when);
    return text;
}

IsoText IsoTime(const CivilTime& when)
{
    IsoText text;
    PutTime(text, when);
    return text;
}

IsoText IsoDateTime(const CivilTime& when)
{
    IsoText text;
    PutDate(text, when);
    PutChar(text, ' ');
    PutTime(text, when);
    return text;
}

IsoText IsoDateTimeMilliseconds(const CivilTime& when)
{
    IsoText text = IsoDateTime(when);
    PutChar(text, '.');
    Put(text, when.millisecond, 3);
    return text;
}

IsoText IsoUtc(std::chrono::system_clock::time_point moment)
{
    const int64_t seconds = std::chrono::floor<std::chrono::seconds>(moment.time_since_epoch()).count();
    const int64_t days = (seconds >= 0 ? seconds : seconds - 86399) / 86400;
    const int64_t ofDay = seconds - days * 86400;
    CivilTime when;
    CivilFromDays(days, when.year, when.month, when.day);
    when.hour = static_cast<int>(ofDay / 3600);
    when.minute = static_cast<int>(ofDay / 60 % 60);
    when.second = static_cast<int>(ofDay % 60);
    IsoText text = IsoDateTime(when);
    PutChar(text, 'Z');
    return text;
}

}  // namespace logora
