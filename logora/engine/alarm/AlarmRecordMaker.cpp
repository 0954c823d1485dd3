#include "logora/engine/alarm/AlarmRecordMaker.h"

#include <algorithm>

#include "common/bytes/Prefetch.h"
#include "logora/engine/alarm/AlarmTextLookup.h"
#include "logora/engine/alarm/CAlarmSetup.h"

namespace logora {

namespace {

constexpr int kNumberLength = 10;
constexpr int kTextLength = 255;
constexpr int kTimeLength = 20;
constexpr const char* kNotFound = "not found";
// Alarms are built in small batches whose setup texts are fetched from
// memory first: a log names its triggers in any order, and a large setup
// does not stay in the caches.
constexpr size_t kBatchSize = 16;

}  // namespace

AlarmColumns AlarmColumns::Declare(CDBF& table, bool withTexts)
{
    int next = 0;
    auto add = [&](const char* name, char type, int length, bool present) {
        if (!present) return -1;
        table.AddField(name, type, length, 0);
        return next++;
    };
    AlarmColumns columns{};
    columns.trigIdx = add("TrigIdx", 'N', kNumberLength, true);
    columns.trigTag = add("TrigTag", 'C', kTextLength, withTexts);
    columns.id = add("ID", 'N', kNumberLength, true);
    columns.message = add("Message", 'C', kTextLength, withTexts);
    columns.evIndex = add("EVIndex", 'N', kNumberLength, true);
    columns.allTrigMsg = add("AllTrigMsg", 'N', kNumberLength, true);
    columns.active = add("Active", 'N', kNumberLength, true);
    columns.timeOn = add("TimeOn", 'C', kTimeLength, true);
    columns.timeAck = add("TimeAck", 'C', kTimeLength, true);
    return columns;
}

AlarmRecordMaker::AlarmRecordMaker(const AlarmTableTexts& texts, CDBF& table, const AlarmColumns& columns)
    : texts_(texts), table_(table), columns_(columns)
{}

AlarmRecordMaker::AlarmRecordMaker(const AlarmTableTexts& texts, DBFRecordSink& sink)
    : texts_(texts), ownTable_(std::make_unique<CDBF>()), table_(*ownTable_)
{
    table_.OpenSink(sink);
    columns_ = AlarmColumns::Declare(table_, texts.setup != nullptr);
    table_.WriteHeader(0);
}

void AlarmRecordMaker::Make(const uint8_t* items, size_t count)
{
    AlarmRecord alarms[kBatchSize];
    Prepared prepared[kBatchSize];
    const size_t itemLength = texts_.layout.size;
    while (count > 0) {
        const size_t batch = std::min(count, kBatchSize);
        for (size_t i = 0; i < batch; ++i) {
            alarms[i] = AlarmRecord::Decode(items + i * itemLength, texts_.layout);
            if (texts_.setup) texts_.setup->Prefetch(alarms[i].triggerIndex, alarms[i].triggerValue);
        }
        for (size_t i = 0; i < batch; ++i) Prepare(alarms[i], prepared[i]);
        for (size_t i = 0; i < batch; ++i) Append(alarms[i], prepared[i]);
        items += batch * itemLength;
        count -= batch;
    }
}

void AlarmRecordMaker::Prepare(const AlarmRecord& record, Prepared& prepared)
{
    if (const CAlarmSetup* setup = texts_.setup) {
        prepared.triggerKnown = TriggerKnown(texts_, record);
        prepared.tag = prepared.triggerKnown ? setup->TagName(record.triggerIndex) : std::string_view();
        prepared.message = MessageOf(texts_, record).Text();
        Prefetch(prepared.tag.data());
        Prefetch(prepared.message.data());
    }
    prepared.timeOnLength = TimeText(timeOnText_, record.timeOn, prepared.timeOn);
    prepared.timeAckLength = TimeText(timeAckText_, record.timeAcknowledged, prepared.timeAck);
}

size_t AlarmRecordMaker::TimeText(LocalTimeText& text, int64_t seconds, char* out)
{
    if (seconds > 0) return text.Format(seconds, out);
    out[0] = '0';
    return 1;
}

void AlarmRecordMaker::Append(const AlarmRecord& record, const Prepared& prepared)
{
    table_.SetFieldInt(columns_.trigIdx, record.triggerIndex);
    table_.SetFieldInt(columns_.id, record.triggerValue);
    if (texts_.setup) {
        if (allMatched_ && (!prepared.triggerKnown || prepared.message.empty())) {
            allMatched_ = false;
            if (texts_.allMatched) texts_.allMatched->store(false, std::memory_order_relaxed);
        }
        table_.SetFieldString(columns_.trigTag,
                              prepared.triggerKnown ? prepared.tag : std::string_view(kNotFound));
        table_.SetFieldString(columns_.message,
                              prepared.message.empty() ? std::string_view(kNotFound) : prepared.message);
    }
    table_.SetFieldInt(columns_.evIndex, record.eventIndex);
    table_.SetFieldInt(columns_.allTrigMsg, record.allTriggerMessage ? 1 : 0);
    table_.SetFieldInt(columns_.active, record.active ? 1 : 0);
    table_.SetFieldString(columns_.timeOn, std::string_view(prepared.timeOn, prepared.timeOnLength));
    table_.SetFieldString(columns_.timeAck, std::string_view(prepared.timeAck, prepared.timeAckLength));
    table_.AppendRecord();
}

}  // namespace logora
