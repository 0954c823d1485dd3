#pragma once
// Alarm setup files (.mal) of any version: the archive with every item the
// version holds, as a plain file or as the "Alarms" stream of a compound file.
// Items the viewer only carries get fixed, recognisable values.

#include <cstdint>
#include <string>
#include <vector>

namespace alarmgen {

struct SampleMessage
{
    int32_t triggerIndex = 0;
    std::string valueText;
    std::string text;
};

struct SampleSetup
{
    int32_t version = 6;
    std::vector<std::string> tagNames;  // one trigger per tag
    std::vector<SampleMessage> messages;
    bool wideText = false;       // tag names and message texts (UTF-8 here) as UTF-16
    bool escapedCounts = false;  // counts with the 0xFFFF escape
};

// Carried items: trigger number k (1-5) of trigger i is 100 i + k, its text k
// (1-8) "Trigger text k"; message number k (1-3) of message j is 1000 j + k,
// its flag k (1-4) is k.
int32_t TriggerNumber(size_t trigger, int k);
std::string TriggerText(int k);
int32_t MessageNumber(size_t message, int k);

std::vector<uint8_t> BuildSetupArchive(const SampleSetup& setup);
bool WriteSetupFile(const std::string& path, const SampleSetup& setup);
// The archive as the stream "Alarms" of a compound file.
bool WriteCompoundSetupFile(const std::string& path, const SampleSetup& setup);

}  // namespace alarmgen
