#pragma once
// The 44-byte binary time zone record (bias, standard and daylight bias, and
// the two yearly transition dates), little-endian.

#include <array>
#include <cstdint>
#include <span>

namespace platform {
struct ZoneRule;
}

namespace logora {

constexpr size_t kTimeZoneRecordSize = 44;
using TimeZoneRecordBytes = std::array<uint8_t, kTimeZoneRecordSize>;

// Eight 16-bit fields. With year 0 the date is a yearly rule: `day` is the
// week of the month (5 = last) of `dayOfWeek` (0 = Sunday) in `month`.
struct TransitionDate
{
    uint16_t year = 0;
    uint16_t month = 0;
    uint16_t dayOfWeek = 0;
    uint16_t day = 0;
    uint16_t hour = 0;
    uint16_t minute = 0;
    uint16_t second = 0;
    uint16_t milliseconds = 0;
};

struct TimeZoneRecord
{
    int32_t Bias = 0;             // minutes to add to local standard time to get UTC
    int32_t StandardBias = 0;     // added to Bias in standard time
    int32_t DaylightBias = 0;     // added to Bias in daylight time
    TransitionDate StandardDate;  // daylight time ends; month 0: no daylight time
    TransitionDate DaylightDate;  // daylight time begins

    bool HasDaylight() const { return StandardDate.month != 0 && DaylightDate.month != 0; }
};

TimeZoneRecord DecodeTimeZoneRecord(std::span<const uint8_t, kTimeZoneRecordSize> bytes);
TimeZoneRecordBytes EncodeTimeZoneRecord(const TimeZoneRecord& record);

// The record of a zone's current yearly rule from the tz database.
TimeZoneRecord TimeZoneRecordFromRule(const platform::ZoneRule& rule);

}  // namespace logora
