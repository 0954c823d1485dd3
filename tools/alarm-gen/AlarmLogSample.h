#pragma once
// Alarm logs (.ALM) in the record layout of each generator version, and the
// embedded alarm file "embedded.alm" with its texts by event index.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "logora/engine/alarm/AlarmRecord.h"

namespace alarmgen {

struct SampleAlarm
{
    int32_t triggerIndex = 0;
    int32_t triggerValue = 0;
    int32_t eventIndex = 0;
    bool allTriggerMessage = false;
    bool active = false;
    int64_t timeOn = 0;
    int64_t timeAcknowledged = 0;
};

// The log: format number, 8 bytes not read, then the records in the layout
// of generator `version`, then `strayBytes` bytes of a partial record.
std::vector<uint8_t> BuildAlarmLog(int version, const std::vector<SampleAlarm>& alarms,
                                   uint32_t formatNumber = 3, size_t strayBytes = 0);

// Appends one record in the layout of `version` (the bench writes large logs
// piece by piece).
void AppendAlarmRecord(std::vector<uint8_t>& out, int version, const SampleAlarm& alarm);

struct SampleEmbeddedText
{
    SampleEmbeddedText(uint32_t index, std::u16string content, std::optional<int32_t> count = std::nullopt)
        : eventIndex(index), text(std::move(content)), characterCount(count)
    {}
    uint32_t eventIndex;
    std::u16string text;
    std::optional<int32_t> characterCount;  // stored count; none = the text's length
};

std::vector<uint8_t> BuildEmbeddedFile(const std::vector<SampleEmbeddedText>& texts,
                                       uint32_t formatNumber = 2);

bool WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace alarmgen
