#pragma once
// Takes the records of a table being built as they are appended, in place of
// a table file: a conversion whose table would only be read once, front to
// back, hands its records straight to the reader instead.

#include <cstdint>

namespace logora {

class CDBF;

class CDBFRecordSink
{
public:
    virtual ~CDBFRecordSink() = default;

    // The table's layout is complete: `table` tells its fields, record
    // length and announced record count. Called once, before any record.
    virtual void BeginRecords(const CDBF& table) = 0;
    // One record of the table's record length, deletion flag first; the
    // bytes are valid during the call only.
    virtual void TakeRecord(const uint8_t* record) = 0;
};

}  // namespace logora
