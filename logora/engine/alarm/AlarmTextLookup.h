#pragma once
// The setup texts of an alarm record, as the table and the CSV lines both
// take them: inline, since both look them up for every record.

#include "logora/engine/alarm/AlarmRecord.h"
#include "logora/engine/alarm/AlarmRecordMaker.h"
#include "logora/engine/alarm/CAlarmSetup.h"
#include "logora/engine/alarm/CEmbeddedAlarmReader.h"

namespace logora {

// Whether the setup of `texts` (there is one) names the record's trigger: a
// negative index addresses none, like one beyond the last.
inline bool TriggerKnown(const AlarmTableTexts& texts, const AlarmRecord& record)
{
    return record.triggerIndex >= 0 && record.triggerIndex < texts.setup->GetTriggerCount();
}

// The record's message: the embedded file's text where it has one (checked
// for quoting as it is put: the embedded file has few texts), else the
// setup's; empty when neither has one.
inline SetupText MessageOf(const AlarmTableTexts& texts, const AlarmRecord& record)
{
    if (texts.embedded) {
        const std::string& text = texts.embedded->Lookup(static_cast<uint32_t>(record.eventIndex));
        if (!text.empty()) return {text.data(), static_cast<uint32_t>(text.size()), false};
    }
    return texts.setup->MessageText(record.triggerIndex, record.triggerValue);
}

// Whether the setup of `texts` has both the record's trigger and a message
// for it, as a table of all alarms matched needs.
inline bool SetupMatches(const AlarmTableTexts& texts, const AlarmRecord& record)
{
    return TriggerKnown(texts, record) && MessageOf(texts, record).length > 0;
}

}  // namespace logora
