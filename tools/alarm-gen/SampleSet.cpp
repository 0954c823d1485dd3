#include "SampleSet.h"

#include <filesystem>

namespace alarmgen {

namespace {

const char* const kTags[] = {"Boiler.Temp", "Boiler.Pressure", "Pump1.Running", "Pump2.Running",
                             "Tank.Level",  "Conveyor.Speed",  "Door.Open",     "EStop"};
constexpr size_t kTagCount = sizeof kTags / sizeof kTags[0];
constexpr int64_t kStart = 1709280000;  // 1 March 2024 08:00 UTC

}  // namespace

SampleSetup MachineSetup(int32_t version)
{
    SampleSetup setup;
    setup.version = version;
    for (const char* tag : kTags) setup.tagNames.emplace_back(tag);
    for (size_t t = 0; t < kTagCount; ++t)
        for (int value = 0; value < 3; ++value)
            setup.messages.push_back({static_cast<int32_t>(t), std::to_string(value),
                                      std::string(kTags[t]) + (value == 0   ? " normal"
                                                               : value == 1 ? " high"
                                                                            : " high high")});
    return setup;
}

std::vector<SampleAlarm> MachineHistory(size_t count)
{
    std::vector<SampleAlarm> alarms;
    for (size_t i = 0; i < count; ++i) {
        SampleAlarm alarm;
        alarm.triggerIndex =
            i % 7 == 6 ? static_cast<int32_t>(kTagCount) : static_cast<int32_t>(i % kTagCount);
        alarm.triggerValue = static_cast<int32_t>(i % 3);
        alarm.eventIndex = static_cast<int32_t>(i + 1);
        alarm.allTriggerMessage = i % 5 == 0;
        alarm.active = i % 2 == 0;
        alarm.timeOn = kStart + static_cast<int64_t>(i) * 97;
        alarm.timeAcknowledged = i % 4 == 3 ? 0 : alarm.timeOn + 30;
        alarms.push_back(alarm);
    }
    return alarms;
}

std::vector<SampleEmbeddedText> MachineEmbeddedTexts(size_t count)
{
    std::vector<SampleEmbeddedText> texts;
    for (size_t i = 0; i < count; i += 2)
        texts.push_back(
            {static_cast<uint32_t>(i + 1), u"Event " + std::u16string(1, u'A' + i % 26) + u" \u00b0C"});
    return texts;
}

bool WriteSampleSet(const std::string& folder)
{
    namespace fs = std::filesystem;
    std::error_code error;
    fs::create_directories(fs::path(folder) / "embedded", error);
    const fs::path base(folder);
    const std::vector<SampleAlarm> history = MachineHistory(40);
    bool ok = WriteSetupFile((base / "MachineAlarms.mal").string(), MachineSetup(6));
    ok = WriteCompoundSetupFile((base / "MachineAlarms-compound.mal").string(), MachineSetup(6)) && ok;
    for (int32_t version : {1, 5, 12, 13, 14})
        ok = WriteSetupFile((base / ("setup-v" + std::to_string(version) + ".mal")).string(),
                            MachineSetup(version)) &&
             ok;
    const std::pair<int, const char*> generators[] = {
        {1, "ce"}, {2, "3xx"}, {3, "4xx"}, {5, "ce6"}, {6, "6xx"}};
    for (const auto& [version, name] : generators)
        ok = WriteBytesToFile((base / (std::string("history-") + name + ".alm")).string(),
                              BuildAlarmLog(version, history)) &&
             ok;
    // A CE6 terminal's log whose texts come from its embedded file; the
    // version 13 setup holds no message texts.
    const fs::path embedded = base / "embedded";
    ok = WriteBytesToFile((embedded / "history.alm").string(), BuildAlarmLog(5, history)) && ok;
    ok =
        WriteBytesToFile((embedded / "embedded.alm").string(), BuildEmbeddedFile(MachineEmbeddedTexts(40))) &&
        ok;
    ok = WriteCompoundSetupFile((embedded / "MachineAlarms.mal").string(), MachineSetup(13)) && ok;
    return ok;
}

}  // namespace alarmgen
