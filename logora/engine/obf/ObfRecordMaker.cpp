#include "logora/engine/obf/ObfRecordMaker.h"

#include <cstring>
#include <span>

#include "logora/engine/export/LocalClock.h"

namespace logora {

// Local date and time texts; a time that cannot be broken down gives year,
// month and day 0 and -1 for hour, minute and second (a time of the 32-bit
// records always can). The records of one time stamp (one per tag) follow
// each other, so the texts of the last time are kept.
class ObfRecordMaker::LocalTimeTexts
{
public:
    void Store(CDBF& table, uint32_t seconds)
    {
        if (!known_ || seconds != seconds_) Format(seconds);
        table.SetFieldString(kDate, std::string_view(date_, sizeof date_));
        table.SetFieldString(kTime, std::string_view(time_, sizeof time_));
    }

private:
    // `value` as exactly `count` digits.
    static void PutDigits(char* out, int value, int count)
    {
        for (int i = count - 1; i >= 0; --i, value /= 10) out[i] = static_cast<char>('0' + value % 10);
    }

    void Format(uint32_t seconds)
    {
        CalendarParts parts;
        if (clock_.Breakdown(seconds, parts) && parts.year >= 1000 && parts.year <= 9999) {
            // "%4d%02d%02d" and "%02d:%02d:%02d" of a broken-down time.
            PutDigits(date_, parts.year, 4);
            PutDigits(date_ + 4, parts.month, 2);
            PutDigits(date_ + 6, parts.day, 2);
            PutDigits(time_, parts.hour, 2);
            time_[2] = ':';
            PutDigits(time_ + 3, parts.minute, 2);
            time_[5] = ':';
            PutDigits(time_ + 6, parts.second, 2);
        } else {
            // The texts of a time the system cannot break down: year, month
            // and day 0, hour, minute and second -1, in the same formats.
            std::memcpy(date_, "   00000", 8);
            std::memcpy(time_, "-1:-1:-1", 8);
        }
        seconds_ = seconds;
        known_ = true;
    }

    char date_[8] = {};
    char time_[8] = {};
    uint32_t seconds_ = 0;
    bool known_ = false;
    // Asks the system only now and then: its local time calls take a
    // process-wide lock, which the threads of an export would wait for.
    LocalClock clock_;
};

void ObfTableLayout::Declare(CDBF& table) const
{
    table.AddField("Date", 'D', 8, 0);
    table.AddField("Time", 'C', 8, 0);
    table.AddField("Millitm", 'N', 3, 0);
    table.AddField("TagIndex", 'N', 10, 0);
    table.AddField("CommError", 'C', 1, 0);
    table.AddField("Marker", 'C', 1, 0);
    table.AddField("Value", 'F', floatLength, decimalCount);
    table.AddField("Internal", 'N', 10, 0);
}

ObfRecordMaker::ObfRecordMaker(const ObfTableLayout& layout, CDBF& table)
    : layout_(layout), table_(table), localTime_(std::make_unique<LocalTimeTexts>())
{}

ObfRecordMaker::ObfRecordMaker(const ObfTableLayout& layout, DBFRecordSink& sink)
    : layout_(layout),
      ownTable_(std::make_unique<CDBF>()),
      table_(*ownTable_),
      localTime_(std::make_unique<LocalTimeTexts>())
{
    table_.OpenSink(sink);
    layout_.Declare(table_);
    table_.WriteHeader(0);
}

ObfRecordMaker::~ObfRecordMaker() = default;

void ObfRecordMaker::Make(const uint8_t* items, size_t count)
{
    const size_t itemLength = layout_.ItemLength();
    for (size_t i = 0; i < count; ++i) {
        // The item holds the bytes its layout needs: it decodes.
        const auto record = layout_.layout.Decode(std::span(items + i * itemLength, itemLength));
        SetStampFields(record->time);
        SetMillitmField(*record);
        SetTagIndexField(*record);
        SetCommErrorField(*record);
        SetMarkerField(*record);
        SetValueField(*record);
        SetInternalField(*record);
        table_.AppendRecord();
    }
}

std::optional<ObfRecord> ObfRecordMaker::Decode(const uint8_t* item) const
{
    return layout_.layout.Decode(std::span(item, layout_.ItemLength()));
}

void ObfRecordMaker::SetStampFields(uint32_t time)
{
    localTime_->Store(table_, time);
}

void ObfRecordMaker::SetMillitmField(const ObfRecord& record)
{
    table_.SetFieldInt(kMillitm, record.milliseconds);
}

void ObfRecordMaker::SetTagIndexField(const ObfRecord& record)
{
    table_.SetFieldInt(kTagIndex, record.tagIndex);
}

void ObfRecordMaker::SetCommErrorField(const ObfRecord& record)
{
    table_.SetFieldChar(kCommError, static_cast<char>(record.commError));
}

void ObfRecordMaker::SetMarkerField(const ObfRecord& record)
{
    table_.SetFieldChar(kMarker, static_cast<char>(record.marker));
}

void ObfRecordMaker::SetValueField(const ObfRecord& record)
{
    table_.SetFieldDouble(kValue, record.value);
}

void ObfRecordMaker::SetInternalField(const ObfRecord& record)
{
    table_.SetFieldInt(kInternal, record.internal);
}

}  // namespace logora
