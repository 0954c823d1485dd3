#pragma once
// Builds the table records of a Zarn .OBF datalog's packed records: one text
// column per item (Date, Time, Millitm, TagIndex, CommError, Marker, Value,
// Internal), times broken down in the machine's local time zone. One maker
// serves one thread.

#include <cstdint>
#include <memory>
#include <optional>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/obf/ObfRecord.h"

namespace logora {

// The layout of the table and of the items its records are built of: the
// packed records whole, or of a long one the bytes its layout reads.
struct ObfTableLayout
{
    ObfLayout layout;
    size_t recordLength;  // at least layout.RequiredBytes()
    int floatLength;
    int decimalCount;

    static constexpr size_t kLongestWholeItem = 256;
    size_t ItemLength() const
    {
        return recordLength <= kLongestWholeItem ? recordLength : layout.RequiredBytes();
    }
    // Adds the table's columns to `table` being built.
    void Declare(CDBF& table) const;
};

class ObfRecordMaker : public RecordMaker
{
public:
    // Appends the records to `table`, declared by `layout`.
    ObfRecordMaker(const ObfTableLayout& layout, CDBF& table);
    // Builds a table of its own whose records go to `sink`.
    ObfRecordMaker(const ObfTableLayout& layout, DBFRecordSink& sink);
    ~ObfRecordMaker() override;

    void Make(const uint8_t* items, size_t count) override;

    // The parts of Make that fill the record, for a caller that reads the
    // record being built instead of appending it.
    std::optional<ObfRecord> Decode(const uint8_t* item) const;
    void SetStampFields(uint32_t time);  // date and time
    void SetMillitmField(const ObfRecord& record);
    void SetTagIndexField(const ObfRecord& record);
    void SetCommErrorField(const ObfRecord& record);
    void SetMarkerField(const ObfRecord& record);
    void SetValueField(const ObfRecord& record);
    void SetInternalField(const ObfRecord& record);
    const uint8_t* RecordBeingBuilt() const { return table_.RecordBeingBuilt(); }

    // The table's columns, in the order the fields are declared.
    enum Column : int { kDate, kTime, kMillitm, kTagIndex, kCommError, kMarker, kValue, kInternal };
    uint32_t FieldOffset(int column) const { return table_.GetField(column).displacement; }

private:
    class LocalTimeTexts;

    const ObfTableLayout layout_;
    std::unique_ptr<CDBF> ownTable_;
    CDBF& table_;
    std::unique_ptr<LocalTimeTexts> localTime_;
};

}  // namespace logora
