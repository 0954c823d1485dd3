#pragma once
// The setup file's texts that every alarm record looks up (the tag name of
// its trigger and the message for its trigger value), packed into one text
// block with small fixed-size entries. A setup of thousands of triggers then
// stays within the processor's caches while a log names them in any order.
// Each text is checked once for what the CSV export would have to quote, so
// that most are copied into its lines as they stand.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes/Prefetch.h"
#include "logora/engine/alarm/CMsg.h"
#include "logora/engine/alarm/CTrigger.h"

namespace logora {

// A setup text and whether it is plain (CsvQuoting::IsPlain): a CSV column
// then holds it as it stands. Sixteen bytes, which a call returns in
// registers.
struct SetupText
{
    const char* data = "";
    uint32_t length = 0;
    bool plain = true;

    std::string_view Text() const { return std::string_view(data, length); }
};

class AlarmTextIndex
{
public:
    // Replaces the index with the texts of `triggers` and `messages`; the
    // first message in file order wins for each (trigger index, value).
    void Build(const std::vector<CTrigger>& triggers, const std::vector<CMsg>& messages);

    // The caller checks 0 <= trigger < the number of triggers built.
    SetupText TagName(int32_t trigger) const { return TextAt(tagNames_[static_cast<size_t>(trigger)]); }
    // An empty text when no message has that trigger index and value.
    SetupText Message(int32_t trigger, int32_t value) const;
    // Brings the entries that TagName and Message of these will read into
    // the caches; a trigger outside the list is no error.
    void Prefetch(int32_t trigger, int32_t value) const;

private:
    // A text inside the block. The side files are limited far below 2 GiB,
    // and so are their texts.
    struct Text
    {
        uint32_t at = 0;
        uint32_t length : 31 = 0;
        uint32_t plain : 1 = 1;
    };
    // Open addressing with linear probing; `text.length` kFree marks a free slot.
    struct Slot
    {
        uint64_t key = 0;
        Text text{0, kFree};
    };
    static constexpr uint32_t kFree = INT32_MAX;

    static uint64_t MessageKey(int32_t trigger, int32_t value)
    {
        return (static_cast<uint64_t>(static_cast<uint32_t>(trigger)) << 32) | static_cast<uint32_t>(value);
    }

    Text Store(std::string_view text);
    SetupText TextAt(Text text) const { return {block_.data() + text.at, text.length, text.plain != 0}; }
    // The slot where the search for `key` begins, and the one where it ends.
    size_t HomeOf(uint64_t key) const
    {
        // Fibonacci hashing spreads neighbouring trigger indices and values.
        return static_cast<size_t>((key * 0x9E3779B97F4A7C15ull) >> 32) & (slots_.size() - 1);
    }
    size_t SlotOf(uint64_t key) const
    {
        const size_t mask = slots_.size() - 1;
        size_t slot = HomeOf(key);
        while (slots_[slot].text.length != kFree && slots_[slot].key != key) slot = (slot + 1) & mask;
        return slot;
    }

    std::string block_;
    std::vector<Text> tagNames_;
    std::vector<Slot> slots_;
};

// Inline: the CSV lines of an alarm log look up every record's texts.
inline SetupText AlarmTextIndex::Message(int32_t trigger, int32_t value) const
{
    if (slots_.empty()) return {};
    const Slot& slot = slots_[SlotOf(MessageKey(trigger, value))];
    return slot.text.length == kFree ? SetupText{} : TextAt(slot.text);
}

inline void AlarmTextIndex::Prefetch(int32_t trigger, int32_t value) const
{
    if (trigger >= 0 && static_cast<size_t>(trigger) < tagNames_.size())
        logora::Prefetch(&tagNames_[static_cast<size_t>(trigger)]);
    if (!slots_.empty()) logora::Prefetch(&slots_[HomeOf(MessageKey(trigger, value))]);
}

}  // namespace logora
