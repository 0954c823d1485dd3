#include "logora/engine/obf/ObfLineFields.h"

namespace logora {

namespace {

// Milliseconds below this are formatted once each.
constexpr uint16_t kKeyedMilliseconds = 1000;

}  // namespace

int ObfLineFields::SourceAt(uint32_t offset) const
{
    using Maker = ObfRecordMaker;
    const auto at = [&](Maker::Column column) { return offset == maker_.FieldOffset(column); };
    if (at(Maker::kDate) || at(Maker::kTime)) return kStamp;
    if (at(Maker::kMillitm)) return kMillitm;
    if (at(Maker::kTagIndex)) return kTagIndex;
    if (at(Maker::kCommError)) return kCommError;
    if (at(Maker::kMarker)) return kMarker;
    if (at(Maker::kValue)) return kValue;
    if (at(Maker::kInternal)) return kInternal;
    return kOther;
}

const uint8_t* ObfLineFields::SetStamp(const Record& record)
{
    maker_.SetStampFields(record.time);
    return maker_.RecordBeingBuilt();
}

char* ObfLineFields::Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at)
{
    const uint8_t* built = maker_.RecordBeingBuilt();
    switch (source) {
        case kMillitm:
            if (record.milliseconds < kKeyedMilliseconds)
                return texts.PutKeyed(at, column, record.milliseconds, built,
                                      [&] { maker_.SetMillitmField(record); });
            maker_.SetMillitmField(record);
            break;
        case kTagIndex:
            return texts.PutKeyed(at, column, record.tagIndex, built,
                                  [&] { maker_.SetTagIndexField(record); });
        case kCommError:
            return texts.PutKeyed(at, column, record.commError, built,
                                  [&] { maker_.SetCommErrorField(record); });
        case kMarker:
            return texts.PutKeyed(at, column, record.marker, built, [&] { maker_.SetMarkerField(record); });
        case kValue:
            maker_.SetValueField(record);
            break;
        case kInternal:
            maker_.SetInternalField(record);
            break;
        default:
            // No one field of the layout: whatever the column spans is filled.
            maker_.SetMillitmField(record);
            maker_.SetTagIndexField(record);
            maker_.SetCommErrorField(record);
            maker_.SetMarkerField(record);
            maker_.SetValueField(record);
            maker_.SetInternalField(record);
            break;
    }
    return texts.PutFormatted(at, column, built);
}

}  // namespace logora
