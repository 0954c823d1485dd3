#pragma once
// Builds the table records of an alarm log's records: the trigger's tag and
// message from the alarm setup (the embedded file's message first), the
// flags, and the local times of the alarm and its acknowledgement. One maker
// serves one thread; the makers of a conversion share its setup texts.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string_view>

#include "logora/engine/alarm/AlarmRecord.h"
#include "logora/engine/alarm/LocalTimeText.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"

namespace logora {

class CAlarmSetup;
class CEmbeddedAlarmReader;

// Column positions of an alarm table (-1 when absent).
struct AlarmColumns
{
    int trigIdx, trigTag, id, message, evIndex, allTrigMsg, active, timeOn, timeAck;

    // Adds the columns to `table` being built; the tag and message columns
    // only `withTexts`.
    static AlarmColumns Declare(CDBF& table, bool withTexts);
};

// What the makers of one conversion share; none of it changes while they run.
struct AlarmTableTexts
{
    AlarmRecordLayout layout;
    const CAlarmSetup* setup;              // null without a loaded setup file
    const CEmbeddedAlarmReader* embedded;  // null without an embedded file
    // Cleared by the first alarm whose trigger or message the setup lacks;
    // null where no one asks (a table read in place was told at its open).
    std::atomic<bool>* allMatched;
};

class AlarmRecordMaker : public RecordMaker
{
public:
    // Appends the records to `table`, whose columns `columns` are.
    AlarmRecordMaker(const AlarmTableTexts& texts, CDBF& table, const AlarmColumns& columns);
    // Builds a table of its own whose records go to `sink`.
    AlarmRecordMaker(const AlarmTableTexts& texts, DBFRecordSink& sink);

    void Make(const uint8_t* items, size_t count) override;

private:
    // The texts of one alarm, looked up or put together ahead of its
    // conversion, so that neither waits for memory nor reads back bytes
    // just written.
    struct Prepared
    {
        bool triggerKnown = false;
        std::string_view tag;
        std::string_view message;  // empty when none was found
        char timeOn[LocalTimeText::kRoom];
        size_t timeOnLength = 0;
        char timeAck[LocalTimeText::kRoom];
        size_t timeAckLength = 0;
    };
    void Prepare(const AlarmRecord& record, Prepared& prepared);
    // The time text of the table: "0" for no time.
    static size_t TimeText(LocalTimeText& text, int64_t seconds, char* out);
    void Append(const AlarmRecord& record, const Prepared& prepared);

    const AlarmTableTexts& texts_;
    std::unique_ptr<CDBF> ownTable_;
    CDBF& table_;
    AlarmColumns columns_;
    // One each: an alarm's times follow those of the alarm before more
    // closely than each other.
    LocalTimeText timeOnText_;
    LocalTimeText timeAckText_;
    bool allMatched_ = true;
};

}  // namespace logora
