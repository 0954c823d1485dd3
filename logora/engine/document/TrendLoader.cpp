#include "logora/engine/document/TrendLoader.h"

#include <cstring>

#include "logora/engine/export/RawValues.h"

namespace logora {

namespace {

template <typename Word>
Word Load(const uint8_t* p)
{
    Word w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

// Whether `length` bytes are equal, compared a machine word at a time (the
// last word overlapping the one before): inlined, where a memcmp call for the
// few bytes of a time text or a tag number costs more than the comparison.
// The 255 bytes of a tag name go to memcmp, which takes them in vector steps.
bool SameBytes(const uint8_t* a, const uint8_t* b, size_t length)
{
    if (length < 4 || length > 64) return std::memcmp(a, b, length) == 0;
    if (length < 8)
        return Load<uint32_t>(a) == Load<uint32_t>(b) &&
               Load<uint32_t>(a + length - 4) == Load<uint32_t>(b + length - 4);
    for (size_t i = 0; i + 8 < length; i += 8)
        if (Load<uint64_t>(a + i) != Load<uint64_t>(b + i)) return false;
    return Load<uint64_t>(a + length - 8) == Load<uint64_t>(b + length - 8);
}

}  // namespace

int32_t TagPens::PenOf(const std::string& key)
{
    const auto [entry, added] = map.emplace(key, next);
    if (added) ++next;
    return entry->second;
}

TrendLoader::TrendLoader(const TrendLayout& layout, size_t pensKept, TagPens& pens, TrendSamples& samples)
    : layout_(layout), pensKept_(pensKept), pens_(pens), samples_(samples)
{}

void TrendLoader::Add(const uint8_t* record)
{
    const size_t tag = TagOf(record);
    if (tag == kNone) return;
    JoinOrStartSample(record);
    const size_t pen = size_t(known_[tag].pen);
    if (pen < pensKept_)
        samples_.SetLastValue(pen, RawDouble(record + layout_.ValueOffset()));
    else
        samples_.ZeroLastBelow(pensKept_);
}

size_t TrendLoader::TagOf(const uint8_t* record)
{
    const std::string_view field(reinterpret_cast<const char*>(record + layout_.TagOffset()),
                                 layout_.tagLength);
    size_t tag = previousTag_ == kNone ? kNone : known_[previousTag_].next;
    if (tag == kNone || !SameBytes(reinterpret_cast<const uint8_t*>(known_[tag].field.data()),
                                   reinterpret_cast<const uint8_t*>(field.data()), field.size())) {
        const auto found = fieldIndex_.find(field);
        if (found != fieldIndex_.end()) {
            tag = found->second;
        } else {
            if (!ParseTrendKey(record, layout_, key_)) return kNone;
            tag = known_.size();
            const auto stored = fieldIndex_.emplace(std::string(field), tag).first;
            known_.push_back({stored->first, pens_.PenOf(key_), kNone});
        }
        if (previousTag_ != kNone) known_[previousTag_].next = tag;
    }
    previousTag_ = tag;
    return tag;
}

void TrendLoader::JoinOrStartSample(const uint8_t* record)
{
    const uint8_t* timeText = record + 1;
    const bool first = samples_.empty();
    if (!first && SameBytes(timeText, lastTimeText_, sizeof lastTimeText_)) return;
    int32_t milliseconds = 0;
    if (!first && SameBytes(timeText, lastTimeText_, TrendLayout::kSecondTextLength)) {
        milliseconds = TrendMilliseconds(record);
    } else {
        if (first || !SameBytes(timeText, lastTimeText_, TrendLayout::kDateTextLength))
            lastDayValid_ = TrendDay(record, lastDays_);
        lastTimeValid_ = TrendTimeOfDay(record, lastFraction_, milliseconds);
    }
    std::memcpy(lastTimeText_, timeText, sizeof lastTimeText_);
    const bool valid = lastTimeValid_ && lastDayValid_;
    const double dateTime = valid ? lastDays_ + lastFraction_ : 0.0;
    if (!samples_.LastHasTime(dateTime, valid, milliseconds)) samples_.Append(dateTime, valid, milliseconds);
}

}  // namespace logora
