#include "logora/engine/alarm/AlarmLineStage.h"

#include <algorithm>
#include <stdexcept>

#include "common/bytes/ByteGroups.h"
#include "common/bytes/Prefetch.h"
#include "logora/engine/alarm/AlarmTextLookup.h"
#include "logora/engine/alarm/CAlarmSetup.h"
#include "logora/engine/dbf/FixedFormat.h"

namespace logora {

namespace {

constexpr SetupText kNotFound{"not found", 9, true};

}  // namespace

AlarmLineStage::AlarmLineStage(const AlarmTableTexts& texts, std::unique_ptr<ListLineFormatter> lines)
    : texts_(texts), lines_(std::move(lines))
{
    // The fields where the table puts them.
    DiscardedRecords noRecords;
    CDBF layout;
    layout.OpenSink(noRecords);
    const AlarmColumns fields = AlarmColumns::Declare(layout, texts.setup != nullptr);
    layout.WriteHeader(0);
    const std::pair<int, Source> sources[] = {
        {fields.trigIdx, Source::TrigIdx}, {fields.trigTag, Source::TrigTag},
        {fields.id, Source::Id},           {fields.message, Source::Message},
        {fields.evIndex, Source::EvIndex}, {fields.allTrigMsg, Source::AllTrigMsg},
        {fields.active, Source::Active},   {fields.timeOn, Source::TimeOn},
        {fields.timeAck, Source::TimeAck}};
    for (const PlannedColumn& planned : lines_->Plan().columns) {
        const auto* found = std::find_if(std::begin(sources), std::end(sources), [&](const auto& source) {
            if (source.first < 0) return false;
            const DBFField field = layout.GetField(source.first);
            return field.displacement == planned.offset && field.length == planned.length;
        });
        if (found == std::end(sources)) throw std::logic_error("an alarm line column that is no alarm field");
        Column column{found->second, planned.length, {}};
        for (int value : {0, 1}) {
            column.flags[value].assign(planned.length, ' ');
            FormatFixedWidthInt(value, planned.length, planned.length, column.flags[value].data());
        }
        columns_.push_back(std::move(column));
    }
}

void AlarmLineStage::ComingItems(const uint8_t* items, size_t count)
{
    comingBegin_ = items;
    comingEnd_ = items + count * texts_.layout.size;
    batches_[current_].count = taken_ = 0;
    batches_[current_ ^ 1].count = 0;
    if (count > 0) Decode(batches_[current_ ^ 1], items);
}

void AlarmLineStage::Decode(Batch& batch, const uint8_t* item)
{
    const size_t itemLength = texts_.layout.size;
    const bool announced = item >= comingBegin_ && item < comingEnd_;
    batch.item = item;
    batch.count = announced ? std::min(kBatchSize, size_t(comingEnd_ - item) / itemLength) : 1;
    for (size_t i = 0; i < batch.count; ++i) {
        AlarmRecord& record = batch.alarms[i].record;
        record = AlarmRecord::Decode(item + i * itemLength, texts_.layout);
        if (texts_.setup) texts_.setup->Prefetch(record.triggerIndex, record.triggerValue);
    }
}

void AlarmLineStage::Begin(const uint8_t* item)
{
    const size_t itemLength = texts_.layout.size;
    current_ ^= 1;
    taken_ = 0;
    Batch& batch = batches_[current_];
    if (batch.count == 0 || batch.item != item) Decode(batch, item);
    if (texts_.setup)
        for (size_t i = 0; i < batch.count; ++i) LookUp(batch.alarms[i]);
    const uint8_t* behind = item + batch.count * itemLength;
    Batch& next = batches_[current_ ^ 1];
    next.count = 0;
    if (behind >= comingBegin_ && behind < comingEnd_) Decode(next, behind);
}

void AlarmLineStage::LookUp(Alarm& alarm)
{
    const CAlarmSetup& setup = *texts_.setup;
    const AlarmRecord& record = alarm.record;
    const bool triggerKnown = TriggerKnown(texts_, record);
    alarm.tag = triggerKnown ? setup.TagText(record.triggerIndex) : kNotFound;
    alarm.message = MessageOf(texts_, record);
    if (allMatched_ && (!triggerKnown || alarm.message.length == 0)) {
        allMatched_ = false;
        texts_.allMatched->store(false, std::memory_order_relaxed);
    }
    if (alarm.message.length == 0) alarm.message = kNotFound;
    Prefetch(alarm.tag.data);
    Prefetch(alarm.message.data);
}

inline char* AlarmLineStage::PutColumn(char* at, const Column& column, const Alarm& alarm)
{
    const AlarmRecord& record = alarm.record;
    switch (column.source) {
        case Source::TrigIdx:
            return PutNumber(at, record.triggerIndex, column.length);
        case Source::TrigTag:
            return PutText(at, alarm.tag, column.length);
        case Source::Id:
            return PutNumber(at, record.triggerValue, column.length);
        case Source::Message:
            return PutText(at, alarm.message, column.length);
        case Source::EvIndex:
            return PutNumber(at, record.eventIndex, column.length);
        case Source::AllTrigMsg:
            return PutFlag(at, column, record.allTriggerMessage);
        case Source::Active:
            return PutFlag(at, column, record.active);
        case Source::TimeOn:
            return PutTime(at, timeOn_, record.timeOn, column.length);
        case Source::TimeAck:
            return PutTime(at, timeAck_, record.timeAcknowledged, column.length);
    }
    return at;
}

inline char* AlarmLineStage::PutNumber(char* at, int64_t value, uint32_t length)
{
    FormatFixedWidthInt(value, length, length, at);
    return at + length;
}

inline char* AlarmLineStage::PutFlag(char* at, const Column& column, bool value)
{
    const std::string& text = column.flags[value ? 1 : 0];
    CopyFewBytes(at, text.data(), text.size());
    return at + text.size();
}

inline char* AlarmLineStage::PutText(char* at, SetupText text, uint32_t length) const
{
    if (text.plain && text.length <= length) {
        CopyFewBytes(at, text.data, text.length);
        return at + text.length;
    }
    bool plain = false;
    return PutField(at, text.Text(), length, plain);
}

char* AlarmLineStage::PutField(char* at, std::string_view text, uint32_t length, bool& plain) const
{
    const size_t used = TextLength(text.data(), std::min<size_t>(text.size(), length));
    const CsvQuoting& quoting = lines_->Quoting();
    if (quoting.Needs(text.data(), used)) {
        plain = false;
        return at + quoting.Quote(at, text.data(), used);
    }
    plain = used == text.size();
    CopyFewBytes(at, text.data(), used);
    return at + used;
}

inline char* AlarmLineStage::PutTime(char* at, TimeColumn& column, int64_t seconds, uint32_t length) const
{
    // The table's text for no time.
    if (seconds <= 0) {
        *at = '0';
        return at + 1;
    }
    bool secondsOnly = false;
    const std::string_view text = column.text.Text(seconds, secondsOnly);
    if (secondsOnly && column.plain) {
        LocalTimeText::CopyText(text, at);
        return at + text.size();
    }
    return PutField(at, text, length, column.plain);
}

size_t AlarmLineStage::Put(const uint8_t* item, char* output)
{
    const Batch& batch = batches_[current_];
    if (taken_ == batch.count || item != batch.item + taken_ * texts_.layout.size) Begin(item);
    const Alarm& alarm = batches_[current_].alarms[taken_++];
    char* at = output;
    for (const Column& column : columns_) {
        at = PutColumn(at, column, alarm);
        *at++ = ',';
    }
    *at++ = '\r';
    *at++ = '\n';
    return static_cast<size_t>(at - output);
}

}  // namespace logora
