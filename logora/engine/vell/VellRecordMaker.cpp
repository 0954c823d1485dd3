#include "logora/engine/vell/VellRecordMaker.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "logora/engine/vell/VellFormat.h"

namespace logora {

namespace {

constexpr int kMillitmLength = 3;
constexpr int kTagIndexLength = 10;

void twoDigits(char* out, int value)
{
    out[0] = static_cast<char>('0' + value / 10 % 10);
    out[1] = static_cast<char>('0' + value % 10);
}

// "%4d%02d%02d" for years of four digits (time stamps reach 2106).
void formatDate(char* out, const CalendarTime& t)
{
    twoDigits(out, t.year / 100);
    twoDigits(out + 2, t.year % 100);
    twoDigits(out + 4, t.month);
    twoDigits(out + 6, t.day);
}

// "%02d:%02d:%02d"
void formatTime(char* out, const CalendarTime& t)
{
    twoDigits(out, t.hour);
    out[2] = ':';
    twoDigits(out + 3, t.minute);
    out[5] = ':';
    twoDigits(out + 6, t.second);
}

// What "%*d" with the field width gives once cut to that width: short
// numbers right-aligned with spaces, long ones keep their first characters.
std::string_view rightAligned(char (&buffer)[16], int value, int width)
{
    char digits[16];
    auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    int length = static_cast<int>(end - digits);
    int pad = width > length ? width - length : 0;
    std::memset(buffer, ' ', static_cast<size_t>(pad));
    std::memcpy(buffer + pad, digits, static_cast<size_t>(std::min(length, width - pad)));
    return {buffer, static_cast<size_t>(width)};
}

}  // namespace

void VellTableLayout::Declare(CDBF& table) const
{
    table.AddField("Date", 'D', 8, 0);
    table.AddField("Time", 'C', 8, 0);
    table.AddField("Millitm", 'N', kMillitmLength, 0);
    table.AddField("Marker", 'C', 1, 0);
    if (withTagNames) {
        table.AddField("Tag", 'C', static_cast<int>(vell::kTagNameFieldLength), 0);
    } else {
        table.AddField("TagIndex", 'C', kTagIndexLength, 0);
    }
    table.AddField("Status", 'C', 1, 0);
    table.AddField("Value", 'C', 8, 0);
}

VellRecordMaker::VellRecordMaker(const VellTableLayout& layout, CDBF& table)
    : layout_(layout), table_(table), clock_(*layout.clock)
{}

VellRecordMaker::VellRecordMaker(const VellTableLayout& layout, DBFRecordSink& sink)
    : layout_(layout), ownTable_(std::make_unique<CDBF>()), table_(*ownTable_), clock_(*layout.clock)
{
    table_.OpenSink(sink);
    layout_.Declare(table_);
    table_.WriteHeader(0);
}

void VellRecordMaker::Make(const uint8_t* items, size_t count)
{
    for (size_t i = 0; i < count; ++i) Append(vell::DecodeVellRecord(items + i * vell::kRecordSize));
}

void VellRecordMaker::Append(const vell::VellRecord& record)
{
    SetStampFields(record.time);
    SetTagField(static_cast<int>(record.tagNumber) - 1);
    SetMillitmField(record.milliseconds);
    SetMarkerField(record.flags);
    SetStatusField(record.flags);
    SetValueField(record);
    table_.AppendRecord();
}

void VellRecordMaker::SetStampFields(uint32_t time)
{
    if (!haveLastTime_ || time != lastTime_) {
        const CalendarTime local = clock_.ToLocal(time);
        formatDate(dateText_, local);
        formatTime(timeText_, local);
        lastTime_ = time;
        haveLastTime_ = true;
    }
    table_.SetFieldString(kDate, std::string_view(dateText_, 8));
    table_.SetFieldString(kTime, std::string_view(timeText_, 8));
}

void VellRecordMaker::SetTagField(int tagIndex)
{
    if (layout_.withTagNames) {
        table_.SetFieldString(kTagColumn, (*layout_.tagList)[static_cast<size_t>(tagIndex)]);
    } else {
        char number[16];
        auto end = std::to_chars(number, number + sizeof number, tagIndex).ptr;
        table_.SetFieldString(kTagColumn, std::string_view(number, static_cast<size_t>(end - number)));
    }
}

void VellRecordMaker::SetMillitmField(int32_t milliseconds)
{
    char number[16];
    table_.SetFieldString(kMillitm, rightAligned(number, milliseconds, kMillitmLength));
}

void VellRecordMaker::SetMarkerField(uint16_t flags)
{
    table_.SetFieldChar(kMarker, vell::VellMarker(flags));
}

void VellRecordMaker::SetStatusField(uint16_t flags)
{
    table_.SetFieldChar(kStatus, vell::VellStatus(flags));
}

void VellRecordMaker::SetValueField(const vell::VellRecord& record)
{
    table_.SetFieldRawDouble(kValue, vell::VellRecordValue(record));
}

}  // namespace logora
