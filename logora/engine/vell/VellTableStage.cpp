#include "logora/engine/vell/VellTableStage.h"

#include "logora/engine/export/TableFormLines.h"

namespace logora {

VellTableStage::VellTableStage(const VellTableLayout& layout, std::unique_ptr<TableFormLines> lines)
    : maker_(layout, noRecords_), lines_(std::move(lines))
{}

VellTableStage::~VellTableStage() = default;

size_t VellTableStage::MaxLength() const
{
    return lines_->MaxLength();
}

void VellTableStage::Fill(const vell::VellRecord& record)
{
    if (!stampFilled_ || record.time != filledStamp_) {
        maker_.SetStampFields(record.time);
        filledStamp_ = record.time;
        stampFilled_ = true;
    }
    maker_.SetMillitmField(record.milliseconds);
    maker_.SetValueField(record);
}

size_t VellTableStage::Put(const uint8_t* item, char* output)
{
    const vell::VellRecord record = vell::DecodeVellRecord(item);
    Fill(record);
    return lines_->Put(maker_.RecordBeingBuilt(), size_t(record.tagNumber) - 1, output);
}

void VellTableStage::BeginBlock(bool first)
{
    lines_->BeginBlock(first);
}

size_t VellTableStage::EndBlock(char* output)
{
    return lines_->EndBlock(output);
}

bool VellTableStage::StartsLine(const uint8_t* before, const uint8_t* after)
{
    const vell::VellRecord first = vell::DecodeVellRecord(before);
    const vell::VellRecord second = vell::DecodeVellRecord(after);
    if (first.time == second.time && first.milliseconds == second.milliseconds) return false;
    // Other stamps may still print alike (the hour a clock is set back).
    Fill(first);
    keyBefore_ = lines_->KeyText(maker_.RecordBeingBuilt());
    Fill(second);
    return KeysDiffer(keyBefore_, lines_->KeyText(maker_.RecordBeingBuilt()));
}

}  // namespace logora
