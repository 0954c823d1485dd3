#include "logora/engine/vell/VellLineFields.h"

namespace logora {

namespace {

// Milliseconds below this are formatted once each.
constexpr int32_t kKeyedMilliseconds = 1000;

}  // namespace

int VellLineFields::SourceAt(uint32_t offset) const
{
    using Maker = VellRecordMaker;
    const auto at = [&](Maker::Column column) { return offset == maker_.FieldOffset(column); };
    if (at(Maker::kDate) || at(Maker::kTime)) return kStamp;
    if (at(Maker::kTagColumn)) return kTag;
    if (at(Maker::kMillitm)) return kMillitm;
    if (at(Maker::kMarker)) return kMarker;
    if (at(Maker::kStatus)) return kStatus;
    if (at(Maker::kValue)) return kValue;
    return kOther;
}

const uint8_t* VellLineFields::SetStamp(const Record& record)
{
    maker_.SetStampFields(record.time);
    return maker_.RecordBeingBuilt();
}

char* VellLineFields::Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at)
{
    const uint8_t* built = maker_.RecordBeingBuilt();
    switch (source) {
        case kTag:
            return texts.PutKeyed(at, column, record.tagNumber, built,
                                  [&] { maker_.SetTagField(int(record.tagNumber) - 1); });
        case kMillitm:
            if (record.milliseconds >= 0 && record.milliseconds < kKeyedMilliseconds) {
                return texts.PutKeyed(at, column, size_t(record.milliseconds), built,
                                      [&] { maker_.SetMillitmField(record.milliseconds); });
            }
            maker_.SetMillitmField(record.milliseconds);
            break;
        case kMarker:
            return texts.PutKeyed(at, column, uint8_t(vell::VellMarker(record.flags)), built,
                                  [&] { maker_.SetMarkerField(record.flags); });
        case kStatus:
            return texts.PutKeyed(at, column, uint8_t(vell::VellStatus(record.flags)), built,
                                  [&] { maker_.SetStatusField(record.flags); });
        case kValue:
            maker_.SetValueField(record);
            break;
        default:
            // No one field of the layout: whatever the column spans is filled.
            maker_.SetTagField(int(record.tagNumber) - 1);
            maker_.SetMillitmField(record.milliseconds);
            maker_.SetMarkerField(record.flags);
            maker_.SetStatusField(record.flags);
            maker_.SetValueField(record);
            break;
    }
    return texts.PutFormatted(at, column, built);
}

}  // namespace logora
