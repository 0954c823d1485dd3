// Fuzzes the alarm setup reader with archive bytes: versions, counts with
// their escape, string length prefixes, UTF-16 texts, the message index.
#include <cstddef>
#include <cstdint>
#include <span>

#include "logora/engine/alarm/CAlarmSetup.h"
#include "logora/engine/text/CodePage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    logora::CAlarmSetup setup(logora::kCodePageFallback);
    if (!setup.LoadArchive(std::span<const uint8_t>(data, size))) return 0;
    for (int32_t i = 0; i < setup.GetTriggerCount() && i < 16; ++i) (void)setup.GetTrigger(i).tagName.size();
    for (const logora::CMsg& message : setup.GetMessages())
        (void)setup.FindMessage(message.triggerIndex, logora::AtoiValue(message.valueText)).size();
    return 0;
}
