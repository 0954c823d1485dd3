#pragma once
// The loaded table of a document, whatever format it came from: record count,
// fields, the display text of each cell, and saving it as a plain dBASE table
// in which the raw binary values have become ordinary text fields.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/run/ControlProcess.h"

namespace logora {

class CConvertDATToDBF
{
public:
    // The table files' failed mappings go to `reportError` (standard error
    // without one).
    explicit CConvertDATToDBF(MappingErrorSink reportError = {});
    ~CConvertDATToDBF();

    // Opens the table for reading and loads its fields. False when it cannot
    // be opened or its header does not fit the file.
    bool Open(const std::string& path);
    // Closes the table's file; the object then answers as an empty table.
    void Close();
    bool IsOpen() const { return table_ != nullptr; }
    // Where the failed mappings of this table's files go, for other readers of them.
    const MappingErrorSink& MappingErrors() const { return reportError_; }
    const std::string& GetPath() const { return path_; }

    // The records the table holds; fewer than its header announces in a
    // table cut short (GetAnnouncedRecordCount), whose missing records are
    // neither shown nor saved.
    int64_t GetRecordCount() const;
    int64_t GetAnnouncedRecordCount() const;
    // Width and digits after the point of floating values, kept within what
    // a dBASE field can hold (1..255 and below the width).
    void SetFloatFormat(int length, int decimals);
    int GetFloatLength() const { return floatLength_; }
    int GetFloatDecimals() const { return floatDecimals_; }

    int GetFieldCount() const;
    DBFField GetField(int index) const;
    // Appends every field name, in order.
    void GetFieldNames(std::vector<std::string>& names) const;
    uint32_t GetRecordLength() const;

    // Display text of a cell. The record is read only when it is not the
    // current one; when that read fails `text` is left unchanged.
    void GetValue(int64_t record, int field, std::string& text);

    // Reads record `index` (its bytes, deletion flag first) and makes it the
    // current record. False when it lies beyond the end of the file.
    bool ReadRecord(int64_t index, const uint8_t** bytes);
    // Up to `count` records from `index` on in one read (CDBF::ReadRecords).
    int64_t ReadRecords(int64_t index, int64_t count, const uint8_t** bytes);

    // Writes the table as a plain dBASE table, reporting to `progress`. False
    // when the output cannot be created or written, or a record cannot be read.
    // A cancel stops after the current record and still returns true.
    // `records`, when given, are the records written, in that order;
    // otherwise the records the table holds.
    bool Convert(const std::string& outputPath, ControlProcess& progress,
                 const std::vector<uint32_t>* records = nullptr);

private:
    MappingErrorSink reportError_;
    std::unique_ptr<CDBF> table_;
    std::string path_;
    int64_t currentRecord_ = -1;
    int floatLength_;
    int floatDecimals_;
};

}  // namespace logora
