#pragma once
// The lines of a conversion's items made on the thread that reads them,
// straight into the output's blocks: the one-thread form of an export whose
// lines can be made from items (ItemLines.h).

#include <cstddef>
#include <cstdint>
#include <memory>

#include "logora/engine/convert/RecordStage.h"
#include "logora/engine/dbf/RecordMaking.h"

namespace logora {

class CsvOutput;

class InlineItemLines final : public ItemIntake
{
public:
    // Items of `itemLength` bytes; `output` must outlive the object.
    InlineItemLines(std::unique_ptr<RecordStage> stage, size_t itemLength, CsvOutput& output);
    ~InlineItemLines() override;

    void TakeItems(const uint8_t* items, size_t count) override;
    void EndItems() override {}

private:
    std::unique_ptr<RecordStage> stage_;
    size_t itemLength_;
    CsvOutput& output_;
    // A line longer than an output block is built apart.
    std::unique_ptr<char[]> apart_;
};

}  // namespace logora
