#pragma once
// The table form's lines of a Vell datalog's records, written from the
// records as stored: their date, time, milliseconds and value columns are
// filled as the table record's, the tag is the record's tag number.

#include <memory>
#include <string>

#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/vell/VellRecordMaker.h"

namespace logora {

class VellTableStage final : public ItemTableStage
{
public:
    // `layout` (with tag names) must outlive the stage.
    VellTableStage(const VellTableLayout& layout, std::unique_ptr<TableFormLines> lines);
    ~VellTableStage() override;

    size_t MaxLength() const override;
    // `item` is a datalog record whose tag number was checked.
    size_t Put(const uint8_t* item, char* output) override;
    void BeginBlock(bool first) override;
    size_t EndBlock(char* output) override;
    bool StartsLine(const uint8_t* before, const uint8_t* after) override;

private:
    // The record's key and value columns in the record being built.
    void Fill(const vell::VellRecord& record);

    DiscardedRecords noRecords_;
    VellRecordMaker maker_;
    std::unique_ptr<TableFormLines> lines_;
    std::string keyBefore_;
    bool stampFilled_ = false;
    uint32_t filledStamp_ = 0;
};

}  // namespace logora
