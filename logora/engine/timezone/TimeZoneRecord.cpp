#include "logora/engine/timezone/TimeZoneRecord.h"

#include "common/bytes/ByteReader.h"
#include "platform/tzdb/ZoneRule.h"

namespace logora {

namespace {

constexpr size_t kStandardDateOffset = 12;
constexpr size_t kDaylightDateOffset = 28;

TransitionDate decodeDate(const uint8_t* p)
{
    auto field = [p](int index) { return ByteReader::decode<uint16_t>(p + 2 * index); };
    return {field(0), field(1), field(2), field(3), field(4), field(5), field(6), field(7)};
}

void encodeDate(uint8_t* p, const TransitionDate& date)
{
    const uint16_t fields[] = {date.year, date.month,  date.dayOfWeek, date.day,
                               date.hour, date.minute, date.second,    date.milliseconds};
    for (int i = 0; i < 8; ++i) storeLE(p + 2 * i, fields[i]);
}

TransitionDate fromYearly(const platform::YearlyTransition& t)
{
    return {0, t.month, t.weekday, t.week, t.hour, t.minute, t.second, t.millisecond};
}

}  // namespace

TimeZoneRecord DecodeTimeZoneRecord(std::span<const uint8_t, kTimeZoneRecordSize> bytes)
{
    const uint8_t* p = bytes.data();
    TimeZoneRecord record;
    record.Bias = ByteReader::decode<int32_t>(p);
    record.StandardBias = ByteReader::decode<int32_t>(p + 4);
    record.DaylightBias = ByteReader::decode<int32_t>(p + 8);
    record.StandardDate = decodeDate(p + kStandardDateOffset);
    record.DaylightDate = decodeDate(p + kDaylightDateOffset);
    return record;
}

TimeZoneRecordBytes EncodeTimeZoneRecord(const TimeZoneRecord& record)
{
    TimeZoneRecordBytes bytes{};
    storeLE(bytes.data(), record.Bias);
    storeLE(bytes.data() + 4, record.StandardBias);
    storeLE(bytes.data() + 8, record.DaylightBias);
    encodeDate(bytes.data() + kStandardDateOffset, record.StandardDate);
    encodeDate(bytes.data() + kDaylightDateOffset, record.DaylightDate);
    return bytes;
}

TimeZoneRecord TimeZoneRecordFromRule(const platform::ZoneRule& rule)
{
    TimeZoneRecord record;
    record.Bias = rule.biasMinutes;
    if (rule.hasDaylight) {
        record.DaylightBias = rule.daylightDeltaMinutes;
        record.StandardDate = fromYearly(rule.standardStart);
        record.DaylightDate = fromYearly(rule.daylightStart);
    }
    return record;
}

}  // namespace logora
