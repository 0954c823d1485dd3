#include "logora/engine/document/TrendRecord.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "logora/engine/common/CivilCalendar.h"
#include "logora/engine/export/CalendarDate.h"

namespace logora {

namespace {

constexpr TrendLayout kLayouts[] = {
    {39, false, 5, 24},
    {40, true, 5, 31},
    {285, true, 255, 276},
    {289, false, 255, 274},
};

// White space as the C locale's isspace knows it, without a library call per byte.
bool IsBlank(uint8_t c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// A fixed-width decimal field as "%Nd" reads it: leading blanks, sign, digits.
bool ReadNumber(const uint8_t*& text, uint32_t width, int& number)
{
    const uint8_t* end = text + width;
    const uint8_t* p = text;
    while (p < end && IsBlank(*p)) ++p;
    bool negative = false;
    if (p < end && (*p == '-' || *p == '+')) negative = *p++ == '-';
    const uint8_t* digits = p;
    int value = 0;
    for (; p < end && *p >= '0' && *p <= '9'; ++p) value = value * 10 + (*p - '0');
    text = end;
    number = negative ? -value : value;
    return p > digits;
}

void NameKey(const uint8_t* name, uint32_t length, std::string& key)
{
    const uint8_t* end = std::find(name, name + length, uint8_t(0));
    key.assign(name, end);
    key.erase(key.find_last_not_of(' ') + 1);
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
}

}  // namespace

const TrendLayout* FindTrendLayout(uint32_t recordLength)
{
    const auto layout = std::find_if(std::begin(kLayouts), std::end(kLayouts),
                                     [&](const TrendLayout& l) { return l.recordLength == recordLength; });
    return layout == std::end(kLayouts) ? nullptr : layout;
}

TrendTime ParseTrendTime(const uint8_t* record)
{
    TrendTime time;
    const uint8_t* text = record + 1;
    ReadNumber(text, 4, time.year);
    ReadNumber(text, 2, time.month);
    ReadNumber(text, 2, time.day);
    ReadNumber(text, 2, time.hour);
    ++text;  // separator
    ReadNumber(text, 2, time.minute);
    ++text;
    ReadNumber(text, 2, time.second);
    ReadNumber(text, 3, time.milliseconds);
    return time;
}

bool ParseTrendKey(const uint8_t* record, const TrendLayout& layout, std::string& key)
{
    const uint8_t* text = record + layout.TagOffset();
    if (layout.tagLength != 5) {
        NameKey(text, layout.tagLength, key);
        return true;
    }
    int number = 0;
    if (!ReadNumber(text, 5, number)) return false;
    char digits[16];
    const auto written = std::to_chars(digits, digits + sizeof digits, number);
    key.assign(digits, written.ptr);
    return true;
}

bool TrendDateTime(const TrendTime& time, double& dateTime)
{
    if (!IsValidDate(time.year, time.month, time.day) || time.year < 100 || time.year > 9999) return false;
    if (time.hour < 0 || time.hour > 23 || time.minute < 0 || time.minute > 59 || time.second < 0 ||
        time.second > 59) {
        return false;
    }
    const double days = double(DaysFromCivil(time.year, time.month, time.day) + kOleDaysBeforeUnixEpoch);
    dateTime = days + (time.hour * 3600 + time.minute * 60 + time.second) / 86400.0;
    return true;
}

}  // namespace logora
