#pragma once
// Builds the table records of a Zarn .OBF datalog's packed records: one text
// column per item (Date, Time, Millitm, TagIndex, CommError, Marker, Value,
// Internal), times broken down in the machine's local time zone. One maker
// serves one thread.

#include <cstdint>
#include <memory>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/obf/ObfRecord.h"

namespace logora {

// The layout of the table and of the items its records are built of: the
// first layout.RequiredBytes() bytes of each packed record.
struct ObfTableLayout
{
    ObfLayout layout;
    int floatLength;
    int decimalCount;

    size_t ItemLength() const { return layout.RequiredBytes(); }
    // Adds the table's columns to `table` being built.
    void Declare(CDBF& table) const;
};

class ObfRecordMaker : public RecordMaker
{
public:
    // Appends the records to `table`, declared by `layout`.
    ObfRecordMaker(const ObfTableLayout& layout, CDBF& table);
    // Builds a table of its own whose records go to `sink`.
    ObfRecordMaker(const ObfTableLayout& layout, CDBFRecordSink& sink);
    ~ObfRecordMaker() override;

    void Make(const uint8_t* items, size_t count) override;

private:
    class LocalTimeTexts;

    const ObfTableLayout layout_;
    std::unique_ptr<CDBF> ownTable_;
    CDBF& table_;
    std::unique_ptr<LocalTimeTexts> localTime_;
};

}  // namespace logora
