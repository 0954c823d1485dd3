#pragma once
// Takes the records of a table being built as they are appended, in place of
// a table file: a conversion whose table would only be read once, front to
// back, hands its records straight to the reader instead.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace logora {

class CDBF;
class ItemIntake;
class RecordMaking;

class DBFRecordSink
{
public:
    // The tag of a record not known by number: found by its name.
    static constexpr size_t kTagByName = SIZE_MAX;

    virtual ~DBFRecordSink() = default;

    // The converter's tag names in tag number order (the table form's
    // columns), given before BeginRecords; none for a format without tags.
    virtual void TakeTagNames(const std::vector<std::string>& /*names*/) {}

    // The table's layout is complete: `table` tells its fields, record
    // length and announced record count. Called once, before any record.
    virtual void BeginRecords(const CDBF& table) = 0;
    // One record of the table's record length, deletion flag first; the
    // bytes are valid during the call only.
    virtual void TakeRecord(const uint8_t* record) = 0;
    // TakeRecord of a record whose tag is entry `tag` of the tag names,
    // whatever its name prints as; kTagByName when that is not known.
    virtual void TakeTaggedRecord(const uint8_t* record, size_t /*tag*/) { TakeRecord(record); }
    // Offered after BeginRecords by a conversion that can build its records
    // apart from reading its input: a sink that builds them itself returns
    // where the input items go, and the conversion then hands over items in
    // place of records and ends them (ItemIntake::EndItems) before it
    // returns. Null, the default: records as usual.
    virtual ItemIntake* TakeItemsOf(const RecordMaking& /*making*/) { return nullptr; }
};

// Takes records and keeps none: for a maker whose caller reads the record it
// fills instead of the appended ones.
class DiscardedRecords final : public DBFRecordSink
{
public:
    void BeginRecords(const CDBF&) override {}
    void TakeRecord(const uint8_t*) override {}
};

}  // namespace logora
