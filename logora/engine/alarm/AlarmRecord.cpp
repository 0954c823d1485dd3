#include "logora/engine/alarm/AlarmRecord.h"

#include "common/bytes/ByteReader.h"

namespace logora {

namespace {

constexpr size_t kTriggerIndexAt = 0;
constexpr size_t kTriggerValueAt = 4;
constexpr size_t kEventIndexAt = 8;
constexpr size_t kAllTriggerMessageAt = 12;
constexpr size_t kActiveAt = 13;
constexpr size_t kTimesAt = 16;        // 24- and 32-byte records
constexpr size_t kPackedTimesAt = 14;  // 30-byte records

}  // namespace

AlarmRecordLayout AlarmRecordLayout::ForVersion(int version)
{
    switch (version) {
        case alarmversion::kCeTerminal:
        case alarmversion::kWin32Release3:
            return {24, false};
        case alarmversion::kCe6Terminal:
        case alarmversion::kWin32Release6:
            return {30, true};
        default:
            return {kLargestSize, false};
    }
}

AlarmRecord AlarmRecord::Decode(const uint8_t* bytes, const AlarmRecordLayout& layout)
{
    AlarmRecord record;
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
