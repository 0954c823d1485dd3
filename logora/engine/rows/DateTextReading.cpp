#include "logora/engine/rows/DateTextReading.h"

#include <memory>

#include "logora/engine/export/CDataFormatHelper.h"
#include "logora/engine/export/CalendarDate.h"

namespace logora {

namespace {

constexpr size_t kTimeOfDayLength = 9;  // " HH:MM:SS"
constexpr int kProbe[3] = {2033, 11, 22};

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The numbers of `text`, when it holds exactly three (of at most 9 digits).
bool ThreeNumbers(std::string_view text, int (&numbers)[3])
{
    int count = 0;
    for (size_t at = 0; at < text.size();) {
        if (!IsDigit(text[at])) {
            ++at;
            continue;
        }
        if (count == 3) return false;
        int value = 0;
        size_t digits = 0;
        for (; at < text.size() && IsDigit(text[at]); ++at, ++digits) {
            if (digits == 9) return false;
            value = value * 10 + (text[at] - '0');
        }
        numbers[count++] = value;
    }
    return count == 3;
}

bool TwoDigits(std::string_view text, size_t at, int& value)
{
    if (!IsDigit(text[at]) || !IsDigit(text[at + 1])) return false;
    value = (text[at] - '0') * 10 + (text[at + 1] - '0');
    return true;
}

}  // namespace

DateTextReader::DateTextReader(size_t capacity) : capacity_(capacity)
{
    // Where the probe's year, month and day show in the user's short date.
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kDisplayDateCapacity)];
    CalendarParts probe{kProbe[0], kProbe[1], kProbe[2], 0, 0, 0};
    const size_t length =
        CDataFormatHelper::FormatCalendarDate(probe, text, CDataFormatHelper::kDisplayDateCapacity);
    int numbers[3] = {};
    if (!ThreeNumbers(std::string_view(text, length), numbers)) return;
    int* parts[3] = {&shortDate_.year, &shortDate_.month, &shortDate_.day};
    for (int position = 0; position < 3; ++position)
        for (int part = 0; part < 3; ++part)
            if (numbers[position] == kProbe[part]) *parts[part] = position;
}

bool DateTextReader::WritesAs(const int (&numbers)[3], const Order& order, std::string_view text,
                              CivilTime& when) const
{
    if (order.year < 0 || order.month < 0 || order.day < 0) return false;
    CalendarParts parts{numbers[order.year], numbers[order.month], numbers[order.day], 0, 0, 0};
    if (!IsValidDate(parts.year, parts.month, parts.day)) return false;
    std::unique_ptr<char[]> written(new char[CDataFormatHelper::DateTextRoom(capacity_)]);
    const size_t length = CDataFormatHelper::FormatCalendarDate(parts, written.get(), capacity_);
    if (std::string_view(written.get(), length) != text) return false;
    when = CivilTime{parts.year, parts.month, parts.day, 0, 0, 0, 0};
    return true;
}

bool DateTextReader::ReadDate(std::string_view text, CivilTime& when) const
{
    int numbers[3] = {};
    if (!ThreeNumbers(text, numbers)) return false;
    return WritesAs(numbers, shortDate_, text, when) || WritesAs(numbers, Order{2, 0, 1}, text, when);
}

bool DateTextReader::Read(std::string_view text, CivilTime& when)
{
    if (text.size() <= kTimeOfDayLength) return false;
    const std::string_view time = text.substr(text.size() - kTimeOfDayLength);
    const std::string_view date = text.substr(0, text.size() - kTimeOfDayLength);
    int hour = 0, minute = 0, second = 0;
    if (time[0] != ' ' || time[3] != ':' || time[6] != ':' || !TwoDigits(time, 1, hour) ||
        !TwoDigits(time, 4, minute) || !TwoDigits(time, 7, second) || hour > 23 || minute > 59 || second > 59)
        return false;
    // Consecutive alarms mostly share their date.
    if (date != lastDate_) {
        lastDate_.assign(date);
        lastRead_ = ReadDate(date, lastWhen_);
    }
    if (!lastRead_) return false;
    when = lastWhen_;
    when.hour = hour;
    when.minute = minute;
    when.second = second;
    return true;
}

}  // namespace logora
