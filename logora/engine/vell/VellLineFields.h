#pragma once
// The fields of a Vell datalog's record for its list-form line made straight
// from the record (KeyedLineStage.h): the date and time once per time stamp,
// the tag's name, the milliseconds, marker and status once per value, and
// only the value formatted for every record.

#include <cstdint>

#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/export/KeyedColumnTexts.h"
#include "logora/engine/vell/VellRecordMaker.h"

namespace logora {

class VellLineFields
{
public:
    using Record = vell::VellRecord;
    enum Source : int { kStamp, kTag, kMillitm, kMarker, kStatus, kValue, kOther };

    // `layout` must outlive the object.
    explicit VellLineFields(const VellTableLayout& layout) : maker_(layout, noRecords_) {}

    int SourceAt(uint32_t offset) const;
    // `item` is a datalog record whose tag number was checked.
    static Record Decode(const uint8_t* item) { return vell::DecodeVellRecord(item); }
    static uint64_t Stamp(const Record& record) { return record.time; }
    const uint8_t* SetStamp(const Record& record);
    char* Put(KeyedColumnTexts& texts, size_t column, int source, const Record& record, char* at);

private:
    DiscardedRecords noRecords_;
    VellRecordMaker maker_;
};

}  // namespace logora
