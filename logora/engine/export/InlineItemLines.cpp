#include "logora/engine/export/InlineItemLines.h"

#include "logora/engine/export/CsvOutput.h"

namespace logora {

InlineItemLines::InlineItemLines(std::unique_ptr<RecordStage> stage, size_t itemLength, CsvOutput& output)
    : stage_(std::move(stage)), itemLength_(itemLength), output_(output)
{
    if (stage_->MaxLength() > CsvOutput::kBlockSize) apart_.reset(new char[stage_->MaxLength()]);
}

InlineItemLines::~InlineItemLines() = default;

void InlineItemLines::TakeItems(const uint8_t* items, size_t count)
{
    const size_t maxLength = stage_->MaxLength();
    stage_->ComingItems(items, count);
    for (size_t i = 0; i < count; ++i, items += itemLength_) {
        if (char* start = output_.Reserve(maxLength)) {
            output_.Commit(stage_->Put(items, start));
        } else {
            output_.Put(apart_.get(), stage_->Put(items, apart_.get()));
        }
    }
}

}  // namespace logora
