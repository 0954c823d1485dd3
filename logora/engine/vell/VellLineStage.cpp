#include "logora/engine/vell/VellLineStage.h"

#include <cstring>

#include "common/bytes/ByteGroups.h"
#include "logora/engine/export/ListLineFormatter.h"

namespace logora {

namespace {

// Milliseconds below this are formatted once each.
constexpr int32_t kKeyedMilliseconds = 1000;

}  // namespace

VellLineStage::VellLineStage(const VellTableLayout& layout, std::unique_ptr<ListLineFormatter> lines)
    : maker_(layout, noRecords_), lines_(std::move(lines))
{
    const ColumnPlan& plan = lines_->Plan();
    columns_.resize(plan.columns.size());
    for (size_t i = 0; i < plan.columns.size(); ++i)
        columns_[i].source = SourceAt(maker_, plan.columns[i].offset);
    scratch_.reset(new char[plan.maxLineLength]);
}

VellLineStage::~VellLineStage() = default;

VellLineStage::Source VellLineStage::SourceAt(const VellRecordMaker& maker, uint32_t offset)
{
    using Maker = VellRecordMaker;
    const auto at = [&](Maker::Column column) { return offset == maker.FieldOffset(column); };
    if (at(Maker::kDate) || at(Maker::kTime)) return Source::Stamp;
    if (at(Maker::kTagColumn)) return Source::Tag;
    if (at(Maker::kMillitm)) return Source::Millitm;
    if (at(Maker::kMarker)) return Source::Marker;
    if (at(Maker::kStatus)) return Source::Status;
    if (at(Maker::kValue)) return Source::Value;
    return Source::Other;
}

size_t VellLineStage::MaxLength() const
{
    return lines_->MaxLength();
}

void VellLineStage::FormatStamp(uint32_t time)
{
    maker_.SetStampFields(time);
    for (size_t i = 0; i < columns_.size(); ++i) {
        if (columns_[i].source != Source::Stamp) continue;
        const size_t length = lines_->PutColumn(i, maker_.RecordBeingBuilt(), scratch_.get());
        columns_[i].stampText.assign(scratch_.get(), length);
    }
    stampTime_ = time;
    haveStamp_ = true;
}

template <typename Fill>
char* VellLineStage::PutKeyed(char* at, size_t index, size_t key, Fill fill)
{
    std::vector<KeyedText>& texts = columns_[index].byValue;
    if (texts.size() <= key) texts.resize(key + 1);
    KeyedText& keyed = texts[key];
    if (!keyed.made) {
        fill();
        const size_t length = lines_->PutColumn(index, maker_.RecordBeingBuilt(), scratch_.get());
        keyed.text.assign(scratch_.get(), length);
        keyed.made = true;
    }
    CopyFewBytes(at, keyed.text.data(), keyed.text.size());
    return at + keyed.text.size();
}

char* VellLineStage::PutFormatted(char* at, size_t index)
{
    return at + lines_->PutColumn(index, maker_.RecordBeingBuilt(), at);
}

size_t VellLineStage::Put(const uint8_t* item, char* output)
{
    const vell::VellRecord record = vell::DecodeVellRecord(item);
    if (!haveStamp_ || record.time != stampTime_) FormatStamp(record.time);
    char* at = output;
    for (size_t i = 0; i < columns_.size(); ++i) {
        const Column& column = columns_[i];
        switch (column.source) {
            case Source::Stamp:
                CopyFewBytes(at, column.stampText.data(), column.stampText.size());
                at += column.stampText.size();
                break;
            case Source::Tag:
                at =
                    PutKeyed(at, i, record.tagNumber, [&] { maker_.SetTagField(int(record.tagNumber) - 1); });
                break;
            case Source::Millitm:
                if (record.milliseconds >= 0 && record.milliseconds < kKeyedMilliseconds) {
                    at = PutKeyed(at, i, size_t(record.milliseconds),
                                  [&] { maker_.SetMillitmField(record.milliseconds); });
                } else {
                    maker_.SetMillitmField(record.milliseconds);
                    at = PutFormatted(at, i);
                }
                break;
            case Source::Marker:
                at = PutKeyed(at, i, uint8_t(vell::VellMarker(record.flags)),
                              [&] { maker_.SetMarkerField(record.flags); });
                break;
            case Source::Status:
                at = PutKeyed(at, i, uint8_t(vell::VellStatus(record.flags)),
                              [&] { maker_.SetStatusField(record.flags); });
                break;
            case Source::Value:
                maker_.SetValueField(record);
                at = PutFormatted(at, i);
                break;
            case Source::Other:
                // No column of the layout: whatever it spans is filled.
                maker_.SetTagField(int(record.tagNumber) - 1);
                maker_.SetMillitmField(record.milliseconds);
                maker_.SetMarkerField(record.flags);
                maker_.SetStatusField(record.flags);
                maker_.SetValueField(record);
                at = PutFormatted(at, i);
                break;
        }
        *at++ = ',';
    }
    *at++ = '\r';
    *at++ = '\n';
    return static_cast<size_t>(at - output);
}

}  // namespace logora
