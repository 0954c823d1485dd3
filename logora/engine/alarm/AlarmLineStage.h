#pragma once
// The list-form CSV line of an alarm log's record, written straight into the
// output from the record in one pass: the bytes of the line that the table
// record AlarmRecordMaker builds would make, without building it. Numbers
// are written into their place, setup texts found plain are copied as they
// stand, and a time in the same minute as the one before rewrites only its
// seconds. Like the maker, the stage takes the records in small batches whose
// setup texts are fetched from memory first: those of the next batch of the
// items announced while the lines of one are put. One stage serves one
// thread.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/alarm/AlarmRecord.h"
#include "logora/engine/alarm/AlarmRecordMaker.h"
#include "logora/engine/alarm/AlarmTextIndex.h"
#include "logora/engine/alarm/LocalTimeText.h"
#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/export/ListLineFormatter.h"

namespace logora {

class AlarmLineStage final : public RecordStage
{
public:
    // The columns of `lines` are fields of the alarm table of `texts` (any
    // of them, in any order); `texts` must outlive the stage.
    AlarmLineStage(const AlarmTableTexts& texts, std::unique_ptr<ListLineFormatter> lines);

    size_t MaxLength() const override { return lines_->MaxLength(); }
    void ComingItems(const uint8_t* items, size_t count) override;
    size_t Put(const uint8_t* item, char* output) override;

private:
    enum class Source : uint8_t {
        TrigIdx,
        TrigTag,
        Id,
        Message,
        EvIndex,
        AllTrigMsg,
        Active,
        TimeOn,
        TimeAck
    };
    struct Column
    {
        Source source;
        uint32_t length;  // the field's
        // The texts of a flag's two values.
        std::string flags[2];
    };
    // A record with its setup texts looked up.
    struct Alarm
    {
        AlarmRecord record;
        SetupText tag;
        SetupText message;
    };
    // The time column of one of the alarm's times, and whether its kept
    // text stands in the line as it is.
    struct TimeColumn
    {
        LocalTimeText text;
        bool plain = false;
    };
    static constexpr size_t kBatchSize = 16;

    // Up to kBatchSize records from `item` on, decoded, their setup entries
    // on their way from memory.
    struct Batch
    {
        Alarm alarms[kBatchSize];
        const uint8_t* item = nullptr;
        size_t count = 0;
    };
    void Decode(Batch& batch, const uint8_t* item);
    // Makes the batch from `item` on the current one, and decodes the one
    // behind it among the items announced.
    void Begin(const uint8_t* item);
    void LookUp(Alarm& alarm);
    char* PutColumn(char* at, const Column& column, const Alarm& alarm);
    static char* PutNumber(char* at, int64_t value, uint32_t length);
    static char* PutFlag(char* at, const Column& column, bool value);
    char* PutText(char* at, SetupText text, uint32_t length) const;
    // `text` cut to `length` bytes and at a NUL, as its field holds it, and
    // quoted where needed; `plain` tells whether it came out as it is.
    char* PutField(char* at, std::string_view text, uint32_t length, bool& plain) const;
    char* PutTime(char* at, TimeColumn& column, int64_t seconds, uint32_t length) const;

    const AlarmTableTexts& texts_;
    std::unique_ptr<ListLineFormatter> lines_;
    std::vector<Column> columns_;
    TimeColumn timeOn_;
    TimeColumn timeAck_;
    bool allMatched_ = true;

    // The items announced by ComingItems.
    const uint8_t* comingBegin_ = nullptr;
    const uint8_t* comingEnd_ = nullptr;
    // The batch whose lines Put makes, the other one the batch behind it
    // (none while its count is 0), and how many lines of it are made.
    Batch batches_[2];
    size_t current_ = 0;
    size_t taken_ = 0;
};

}  // namespace logora
