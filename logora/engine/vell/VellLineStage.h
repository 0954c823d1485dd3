#pragma once
// The list-form CSV line of a Vell datalog's record, written from the record
// as stored. Every column's text is the export's formatting of the bytes the
// table record would hold, so the line is the same; what takes few values
// (a time stamp's date and time, a tag's name, the milliseconds, marker and
// status) is formatted once per value and copied, and only the value is
// formatted for every record.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/vell/VellRecordMaker.h"

namespace logora {

class ListLineFormatter;

class VellLineStage final : public RecordStage
{
public:
    // `layout` must outlive the stage; `lines` plans columns of its table.
    VellLineStage(const VellTableLayout& layout, std::unique_ptr<ListLineFormatter> lines);
    ~VellLineStage() override;

    size_t MaxLength() const override;
    // `item` is a datalog record whose tag number was checked.
    size_t Put(const uint8_t* item, char* output) override;

private:
    // Which field of the record a column shows.
    enum class Source : uint8_t { Stamp, Tag, Millitm, Marker, Status, Value, Other };
    struct KeyedText
    {
        bool made = false;
        std::string text;
    };
    struct Column
    {
        Source source = Source::Other;
        std::string stampText;           // for the current time stamp
        std::vector<KeyedText> byValue;  // by the field's value
    };
    static Source SourceAt(const VellRecordMaker& maker, uint32_t offset);
    void FormatStamp(uint32_t time);
    // Copies the text of column `index` for the field's value `key` to `at`,
    // made by `fill` setting the field the first time; returns the end.
    template <typename Fill>
    char* PutKeyed(char* at, size_t index, size_t key, Fill fill);
    char* PutFormatted(char* at, size_t index);

    DiscardedRecords noRecords_;
    VellRecordMaker maker_;
    std::unique_ptr<ListLineFormatter> lines_;
    std::vector<Column> columns_;
    std::unique_ptr<char[]> scratch_;  // one column's longest text, quoted
    bool haveStamp_ = false;
    uint32_t stampTime_ = 0;
};

}  // namespace logora
