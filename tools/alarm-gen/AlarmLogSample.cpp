#include "AlarmLogSample.h"

#include <fstream>

#include "common/bytes/ByteReader.h"
#include "logora/engine/alarm/AlarmRecord.h"

namespace alarmgen {

namespace {

template <typename T>
void Put(std::vector<uint8_t>& out, T value)
{
    uint8_t raw[sizeof(T)];
    logora::storeLE(raw, value);
    out.insert(out.end(), raw, raw + sizeof(T));
}

}  // namespace

void AppendAlarmRecord(std::vector<uint8_t>& out, int version, const SampleAlarm& alarm)
{
    const auto layout = logora::AlarmRecordLayout::ForVersion(version);
    Put(out, alarm.triggerIndex);
    Put(out, alarm.triggerValue);
    Put(out, alarm.eventIndex);
    Put<uint8_t>(out, alarm.allTriggerMessage ? 1 : 0);
    Put<uint8_t>(out, alarm.active ? 1 : 0);
    if (layout.size == 24) {
        Put<uint16_t>(out, 0);
        Put(out, static_cast<uint32_t>(alarm.timeOn));
        Put(out, static_cast<uint32_t>(alarm.timeAcknowledged));
        return;
    }
    if (!layout.packed) Put<uint16_t>(out, 0);
    Put(out, alarm.timeOn);
    Put(out, alarm.timeAcknowledged);
}

std::vector<uint8_t> BuildAlarmLog(int version, const std::vector<SampleAlarm>& alarms, uint32_t formatNumber,
                                   size_t strayBytes)
{
    std::vector<uint8_t> out;
    Put(out, formatNumber);
    Put<uint64_t>(out, 0);
    for (const SampleAlarm& alarm : alarms) AppendAlarmRecord(out, version, alarm);
    out.insert(out.end(), strayBytes, 0xEE);
    return out;
}

std::vector<uint8_t> BuildEmbeddedFile(const std::vector<SampleEmbeddedText>& texts, uint32_t formatNumber)
{
    std::vector<uint8_t> out;
    Put(out, formatNumber);
    Put<uint32_t>(out, 0);
    Put<uint32_t>(out, 1);
    Put(out, static_cast<uint32_t>(texts.size()));
    for (const SampleEmbeddedText& entry : texts) {
        Put(out, entry.eventIndex);
        Put(out, entry.characterCount.value_or(static_cast<int32_t>(entry.text.size())));
        for (char16_t unit : entry.text) Put<uint16_t>(out, unit);
    }
    return out;
}

bool WriteBytesToFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace alarmgen
