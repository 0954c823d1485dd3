#pragma once
// The records of an alarm log. The layout depends on the generator that
// wrote the log, which the file does not say; the caller names it by its
// version number.

#include <cstddef>
#include <cstdint>

#include "common/bytes/ByteReader.h"

namespace logora {

// Generator versions as the selection dialog and the command line give them.
namespace alarmversion {
constexpr int kCeTerminal = 1;     // "CE"
constexpr int kWin32Release3 = 2;  // "3xx"
constexpr int kWin32Release4 = 3;  // "4xx"
constexpr int kCe6Terminal = 5;    // "CE6"
constexpr int kWin32Release6 = 6;  // "6xx"
}  // namespace alarmversion

struct AlarmRecordLayout
{
    static constexpr size_t kLargestSize = 32;  // no layout is larger
    size_t size;                                // 24, 30 or 32 bytes
    bool packed;                                // 64-bit times right after the flags (30-byte records)

    static AlarmRecordLayout ForVersion(int version);
};

// One alarm event, with its times widened to 64 bits.
struct AlarmRecord
{
    int32_t triggerIndex = 0;
    int32_t triggerValue = 0;
    int32_t eventIndex = 0;
    bool allTriggerMessage = false;
    bool active = false;
    int64_t timeOn = 0;
    int64_t timeAcknowledged = 0;

    // Decodes layout.size bytes. Inline: the CSV lines decode every record.
    static AlarmRecord Decode(const uint8_t* bytes, const AlarmRecordLayout& layout);
};

// The log's header (its format number first) before its records.
inline constexpr uint64_t kAlarmLogHeaderSize = 12;

// Where the fields lie in a record.
namespace alarmrecord {
inline constexpr size_t kTriggerIndexAt = 0;
inline constexpr size_t kTriggerValueAt = 4;
inline constexpr size_t kEventIndexAt = 8;
inline constexpr size_t kAllTriggerMessageAt = 12;
inline constexpr size_t kActiveAt = 13;
inline constexpr size_t kTimesAt = 16;        // 24- and 32-byte records
inline constexpr size_t kPackedTimesAt = 14;  // 30-byte records
}  // namespace alarmrecord

inline AlarmRecord AlarmRecord::Decode(const uint8_t* bytes, const AlarmRecordLayout& layout)
{
    AlarmRecord record;
    using namespace alarmrecord;
    record.triggerIndex = ByteReader::decode<int32_t>(bytes + kTriggerIndexAt);
    record.triggerValue = ByteReader::decode<int32_t>(bytes + kTriggerValueAt);
    record.eventIndex = ByteReader::decode<int32_t>(bytes + kEventIndexAt);
    record.allTriggerMessage = bytes[kAllTriggerMessageAt] != 0;
    record.active = bytes[kActiveAt] != 0;
    if (layout.size == 24) {
        record.timeOn = ByteReader::decode<uint32_t>(bytes + kTimesAt);
        record.timeAcknowledged = ByteReader::decode<uint32_t>(bytes + kTimesAt + 4);
    } else {
        size_t at = layout.packed ? kPackedTimesAt : kTimesAt;
        record.timeOn = ByteReader::decode<int64_t>(bytes + at);
        record.timeAcknowledged = ByteReader::decode<int64_t>(bytes + at + 8);
    }
    return record;
}

}  // namespace logora
