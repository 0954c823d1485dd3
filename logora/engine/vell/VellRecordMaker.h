#pragma once
// Builds the table records of a Vell datalog's records: date and time in the
// destination time zone, milliseconds, marker, the tag's name (or its
// number without a tag file), status and the raw value. One maker serves
// one thread; the makers of a conversion share its tag list.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/dbf/RecordMaking.h"
#include "logora/engine/timezone/OffsetClock.h"
#include "logora/engine/vell/VellRecord.h"

namespace logora {

// What the makers of one conversion share; none of it changes while they run.
struct VellTableLayout
{
    bool withTagNames = false;                          // a tag file was read
    const std::vector<std::string>* tagList = nullptr;  // with tag names
    const OffsetClock* clock = nullptr;                 // each maker runs a copy

    // Adds the table's columns to `table` being built.
    void Declare(CDBF& table) const;
};

class VellRecordMaker : public RecordMaker
{
public:
    // Appends the records to `table`, declared by `layout`.
    VellRecordMaker(const VellTableLayout& layout, CDBF& table);
    // Builds a table of its own whose records go to `sink`.
    VellRecordMaker(const VellTableLayout& layout, DBFRecordSink& sink);

    // Items are the datalog's records as stored; their tag numbers were
    // checked against the tag list.
    void Make(const uint8_t* items, size_t count) override;
    void Append(const vell::VellRecord& record);

    // The parts of Append that fill the record, for a caller that reads the
    // record being built instead of appending it.
    void SetStampFields(uint32_t time);  // date and time
    void SetTagField(int tagIndex);
    void SetMillitmField(int32_t milliseconds);
    void SetMarkerField(uint16_t flags);
    void SetStatusField(uint16_t flags);
    void SetValueField(const vell::VellRecord& record);
    const uint8_t* RecordBeingBuilt() const { return table_.RecordBeingBuilt(); }
    uint32_t FieldOffset(int column) const { return table_.GetField(column).displacement; }

    // The table's columns, in the order the fields are declared.
    enum Column : int { kDate, kTime, kMillitm, kMarker, kTagColumn, kStatus, kValue };

private:
    const VellTableLayout& layout_;
    std::unique_ptr<CDBF> ownTable_;
    CDBF& table_;
    OffsetClock clock_;
    // The texts of the last time stamp, reused while the stamp repeats.
    bool haveLastTime_ = false;
    uint32_t lastTime_ = 0;
    char dateText_[9] = {};
    char timeText_[9] = {};
};

}  // namespace logora
