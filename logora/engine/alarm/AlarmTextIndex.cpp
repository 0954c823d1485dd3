#include "logora/engine/alarm/AlarmTextIndex.h"

#include <bit>

#include "logora/engine/export/CsvQuoting.h"

namespace logora {

AlarmTextIndex::Text AlarmTextIndex::Store(std::string_view text)
{
    const Text stored{static_cast<uint32_t>(block_.size()), static_cast<uint32_t>(text.size()),
                      CsvQuoting::IsPlain(text)};
    block_.append(text);
    return stored;
}

void AlarmTextIndex::Build(const std::vector<CTrigger>& triggers, const std::vector<CMsg>& messages)
{
    block_.clear();
    tagNames_.clear();
    tagNames_.reserve(triggers.size());
    for (const CTrigger& trigger : triggers) tagNames_.push_back(Store(trigger.tagName));
    // At most three quarters of the slots in use keep the probes short.
    slots_.assign(std::bit_ceil(messages.size() * 4 / 3 + 1), Slot{});
    for (const CMsg& message : messages) {
        const uint64_t key = MessageKey(message.triggerIndex, AtoiValue(message.valueText));
        Slot& slot = slots_[SlotOf(key)];
        if (slot.text.length != kFree) continue;
        slot.key = key;
        slot.text = Store(message.messageText);
    }
}

}  // namespace logora
