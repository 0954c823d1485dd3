#include "logora/engine/alarm/AlarmTextIndex.h"

#include <bit>

#include "common/bytes/Prefetch.h"
#include "logora/engine/export/CsvQuoting.h"

namespace logora {

namespace {

uint64_t MessageKey(int32_t triggerIndex, int32_t value)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(triggerIndex)) << 32) | static_cast<uint32_t>(value);
}

}  // namespace

AlarmTextIndex::Text AlarmTextIndex::Store(std::string_view text)
{
    const Text stored{static_cast<uint32_t>(block_.size()), static_cast<uint32_t>(text.size()),
                      CsvQuoting::IsPlain(text)};
    block_.append(text);
    return stored;
}

size_t AlarmTextIndex::HomeOf(uint64_t key) const
{
    // Fibonacci hashing spreads neighbouring trigger indices and values.
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
}

size_t AlarmTextIndex::SlotOf(uint64_t key) const
{
    const size_t mask = slots_.size() - 1;
    size_t slot = HomeOf(key);
    while (slots_[slot].text.length != kFree && slots_[slot].key != key) slot = (slot + 1) & mask;
    return slot;
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

void AlarmTextIndex::Prefetch(int32_t trigger, int32_t value) const
{
    if (trigger >= 0 && static_cast<size_t>(trigger) < tagNames_.size())
        logora::Prefetch(&tagNames_[static_cast<size_t>(trigger)]);
    if (!slots_.empty()) logora::Prefetch(&slots_[HomeOf(MessageKey(trigger, value))]);
}

SetupText AlarmTextIndex::Message(int32_t trigger, int32_t value) const
{
    if (slots_.empty()) return {};
    const Slot& slot = slots_[SlotOf(MessageKey(trigger, value))];
    return slot.text.length == kFree ? SetupText{} : TextAt(slot.text);
}

}  // namespace logora
