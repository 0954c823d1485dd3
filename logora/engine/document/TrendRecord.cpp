#include "logora/engine/document/TrendRecord.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "logora/engine/common/CivilCalendar.h"
#include "logora/engine/export/CalendarDate.h"
#include "logora/engine/export/RawValues.h"

namespace logora {

namespace {

struct TrendLayout
{
    uint32_t recordLength;
    bool skipBeforeTag;   // Vell tables have one character between milliseconds and tag
    uint32_t tagLength;   // 5: tag number, 255: tag name
    uint32_t valueAfter;  // characters after the deletion flag before the value
};

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

// Fills `key` in place, so its storage is reused from record to record.
void NameKey(const uint8_t* name, uint32_t length, std::string& key)
{
    const uint8_t* end = std::find(name, name + length, uint8_t(0));
    key.assign(name, end);
    key.erase(key.find_last_not_of(' ') + 1);
    for (char& c : key) c = char(std::toupper(static_cast<unsigned char>(c)));
}

}  // namespace

bool ParseTrendRecord(const uint8_t* record, uint32_t recordLength, TrendRecord& parsed)
{
    const auto layout = std::find_if(std::begin(kLayouts), std::end(kLayouts),
                                     [&](const TrendLayout& l) { return l.recordLength == recordLength; });
    if (layout == std::end(kLayouts)) return false;
    const uint8_t* text = record + 1;
    ReadNumber(text, 4, parsed.year);
    ReadNumber(text, 2, parsed.month);
    ReadNumber(text, 2, parsed.day);
    ReadNumber(text, 2, parsed.hour);
    ++text;  // separator
    ReadNumber(text, 2, parsed.minute);
    ++text;
    ReadNumber(text, 2, parsed.second);
    ReadNumber(text, 3, parsed.milliseconds);
    if (layout->skipBeforeTag) ++text;
    if (layout->tagLength == 5) {
        int number = 0;
        if (!ReadNumber(text, 5, number)) return false;
        char digits[16];
        const auto written = std::to_chars(digits, digits + sizeof digits, number);
        parsed.key.assign(digits, written.ptr);
    } else {
        NameKey(text, layout->tagLength, parsed.key);
    }
    parsed.value = RawDouble(record + 1 + layout->valueAfter);
    return true;
}

bool TrendRecordDateTime(const TrendRecord& record, double& dateTime)
{
    if (!IsValidDate(record.year, record.month, record.day) || record.year < 100 || record.year > 9999)
        return false;
    if (record.hour < 0 || record.hour > 23 || record.minute < 0 || record.minute > 59 || record.second < 0 ||
        record.second > 59) {
        return false;
    }
    const double days =
        double(DaysFromCivil(record.year, record.month, record.day) + kOleDaysBeforeUnixEpoch);
    dateTime = days + (record.hour * 3600 + record.minute * 60 + record.second) / 86400.0;
    return true;
}

}  // namespace logora
