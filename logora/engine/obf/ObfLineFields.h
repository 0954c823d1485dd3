#pragma once
// The fields of an .OBF datalog's packed record for its list-form line made
// straight from the record (KeyedLineStage.h): the date and time once per
// time stamp, the milliseconds, tag index and flags once per value, the
// value and the internal value for every record.

#include <cstdint>

#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/export/KeyedColumnTexts.h"
#include "logora/engine/obf/ObfRecordMaker.h"

namespace logora {

class ObfLineFields
{
public:
    using Record = ObfRecord;
    enum Source : int { kStamp, kMillitm, kTagIndex, kCommError, kMarker, kValue, kInternal, kOther };

    explicit ObfLineFields(const ObfTableLayout& layout) : maker_(layout, noRecords_) {}

    int SourceAt(uint32_t offset) const;
    // The item holds the bytes its layout needs: it decodes.
    Record Decode(const uint8_t* item) const { return *maker_.Decode(item); }
    static uint64_t Stamp(const Record& record) { return record.time; }
    const uint8_t* SetStamp(const Record& record);
    char* Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at);

private:
    DiscardedRecords noRecords_;
    ObfRecordMaker maker_;
};

}  // namespace logora
