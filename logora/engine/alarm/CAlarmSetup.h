#pragma once
// An alarm setup file (.mal): the triggers, which name the tag each alarm
// watches, and the messages, which give the text for a trigger and a trigger
// value. The content is one archive: the stream "Alarms" of a compound file,
// or the whole file when it is not a compound file.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/alarm/AlarmTextIndex.h"
#include "logora/engine/alarm/CMsg.h"
#include "logora/engine/alarm/CTrigger.h"

namespace logora {

class CAlarmSetup
{
public:
    // Wide texts are converted to `codePage`.
    explicit CAlarmSetup(int codePage) : codePage_(codePage) {}

    // True when an archive was found and read to its end. After false the
    // collections are not to be used.
    bool Load(const std::string& path);
    // Why the last Load refused the file itself, naming it: no regular file,
    // larger than any setup file, a read that failed (with the system's
    // reason) or a damaged compound file. Empty when it was read, or merely
    // missing or no setup file (its bytes are no archive).
    const std::string& GetRefusal() const { return refusal_; }
    // Reads the archive from bytes already in memory.
    bool LoadArchive(std::span<const uint8_t> bytes);

    int32_t GetTriggerCount() const { return static_cast<int32_t>(triggers_.size()); }
    // The caller checks 0 <= index < GetTriggerCount().
    const CTrigger& GetTrigger(int32_t index) const { return triggers_[static_cast<size_t>(index)]; }
    // GetTrigger(index).tagName, from the texts packed for the record loop.
    std::string_view TagName(int32_t index) const { return texts_.TagName(index).Text(); }
    // The same, with whether a CSV column holds it as it stands.
    SetupText TagText(int32_t index) const { return texts_.TagName(index); }
    const std::vector<CMsg>& GetMessages() const { return messages_; }

    // The text of the first message in file order whose trigger index is
    // `triggerIndex` and whose value text, read as atoi reads it, is
    // `value`; empty when there is none. Valid until the next load.
    std::string_view FindMessage(int32_t triggerIndex, int32_t value) const
    {
        return texts_.Message(triggerIndex, value).Text();
    }
    // The same, with whether a CSV column holds it as it stands.
    SetupText MessageText(int32_t triggerIndex, int32_t value) const
    {
        return texts_.Message(triggerIndex, value);
    }
    // Brings what TagName and FindMessage of these will read into the caches.
    void Prefetch(int32_t triggerIndex, int32_t value) const { texts_.Prefetch(triggerIndex, value); }

private:
    bool ReadTrailer(class ArchiveReader& archive);

    std::string refusal_;
    int codePage_;
    int32_t version_ = 0;
    std::vector<CTrigger> triggers_;
    std::vector<CMsg> messages_;
    AlarmTextIndex texts_;
};

}  // namespace logora
