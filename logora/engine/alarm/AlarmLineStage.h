#pragma once
// The list-form CSV line of an alarm log's record, written straight into the
// output from the record in one pass: the bytes of the line that the table
// record AlarmRecordMaker builds would make, without building it. Numbers
// are written into their place, setup texts found plain are copied as they
// stand, and a time in the same minute as the one before rewrites only its
// seconds. Like the maker, the stage takes the records in small batches whose
// setup texts are fetched from memory first. One stage serves one thread.

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

    // Decodes and looks up the records of a batch from `item` on.
    void Prepare(const uint8_t* item);
    void LookUp(Alarm& alarm);
    SetupText MessageFor(const AlarmRecord& record) const;
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
    // The batch prepared: its first item and how far Put has taken it.
    Alarm batch_[kBatchSize];
    const uint8_t* batchItem_ = nullptr;
    size_t batchCount_ = 0;
    size_t batchTaken_ = 0;
};

}  // namespace logora
