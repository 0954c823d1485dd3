#include "logora/engine/document/TrendRecord.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "common/time/CivilCalendar.h"
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

bool TrendDay(const uint8_t* record, double& days)
{
    const uint8_t* text = record + 1;
    int year = 0, month = 0, day = 0;
    ReadNumber(text, 4, year);
    ReadNumber(text, 2, month);
    ReadNumber(text, 2, day);
    if (!IsValidDate(year, month, day) || year < 100 || year > 9999) return false;
    days = double(DaysFromCivil(year, month, day) + kOleDaysBeforeUnixEpoch);
    return true;
}

bool TrendTimeOfDay(const uint8_t* record, double& fraction, int32_t& milliseconds)
{
    const uint8_t* text = record + 1 + TrendLayout::kDateTextLength;
    int hour = 0, minute = 0, second = 0, thousandths = 0;
    ReadNumber(text, 2, hour);
    ++text;  // separator
    ReadNumber(text, 2, minute);
    ++text;
    ReadNumber(text, 2, second);
    ReadNumber(text, 3, thousandths);
    milliseconds = thousandths;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return false;
    fraction = (hour * 3600 + minute * 60 + second) / 86400.0;
    return true;
}

int32_t TrendMilliseconds(const uint8_t* record)
{
    const uint8_t* text = record + 1 + TrendLayout::kSecondTextLength;
    int thousandths = 0;
    ReadNumber(text, 3, thousandths);
    return thousandths;
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

}  // namespace logora
