#include "logora/engine/vell/VellRecord.h"

#include <cstring>

#include "common/bytes/ByteReader.h"
#include "logora/engine/vell/VellFormat.h"

namespace logora::vell {

VellRecord DecodeVellRecord(const uint8_t* bytes)
{
    VellRecord record;
    record.time = ByteReader::decode<uint32_t>(bytes + kRecordTimeOffset);
    record.milliseconds = ByteReader::decode<int32_t>(bytes + kRecordMillisecondsOffset);
    record.tagNumber = ByteReader::decode<uint16_t>(bytes + kRecordTagOffset);
    record.flags = ByteReader::decode<uint16_t>(bytes + kRecordFlagsOffset);
    std::memcpy(record.value, bytes + kRecordValueOffset, sizeof record.value);
    return record;
}

double VellRecordValue(const VellRecord& record)
{
    switch (record.flags & kValueTypeMask) {
        case kValueInt32:
        case kValueInt32Alt:
            return ByteReader::decode<int32_t>(record.value);
        case kValueInt16:
            return ByteReader::decode<int16_t>(record.value);
        case kValueSingle:
            return ByteReader::decode<float>(record.value);
        default:
            return 0.0;
    }
}

char VellMarker(uint16_t flags)
{
    if (flags & kMarkerEFlag) return 'E';
    return (flags & kMarkerBFlag) ? 'B' : ' ';
}

char VellStatus(uint16_t flags)
{
    return (flags & kStatusEFlag) ? 'E' : ' ';
}

}  // namespace logora::vell
