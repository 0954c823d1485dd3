#pragma once
// A dBASE table file: building one front to back (Create, AddField,
// WriteHeader, setters, AppendRecord) and reading one by record index
// (OpenRead, ReadFieldDescriptors, GoToRecord or ReadRecord, getters).
// A table can also be built into a record sink instead of a file (OpenSink).
// One object serves one file; destruction closes it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/largefile/CLargeFile.h"

namespace logora {

class CDBF
{
public:
    // The table file's failed mappings go to `reportError` (standard error
    // without one).
    explicit CDBF(MappingErrorSink reportError = {});
    // A table being built whose header states more records than were
    // appended (a cancelled build, an input that stopped part way) keeps that
    // count, so that its readers can tell how many records are missing.
    ~CDBF();
    CDBF(const CDBF&) = delete;
    CDBF& operator=(const CDBF&) = delete;

    // Opens an existing table and loads its 32-byte header. False when the
    // file cannot be opened or mapped, or holds no whole header.
    bool OpenRead(const std::string& path);
    // Creates the table, replacing a file of that name. False when it cannot
    // be created.
    bool Create(const std::string& path);
    // The table's interface by mode number, as documented for it: 0 is
    // OpenRead, 1 is Create, any other mode false.
    bool Open(const std::string& path, int mode)
    {
        return mode == 0 ? OpenRead(path) : mode == 1 && Create(path);
    }
    // OpenRead for a table held in memory, `name` standing for its path in
    // messages. The bytes must stay valid while the table is read.
    bool OpenMemory(std::span<const uint8_t> bytes, const std::string& name);
    // Builds the table into `sink` instead of a file: WriteHeader (or the
    // end of a raw header) hands it the layout, AppendRecord or
    // AppendRawRecord each record. Nothing else is stored; WriteBytes has no
    // file to write to and does nothing. `sink` must outlive the building.
    // False when already open.
    bool OpenSink(DBFRecordSink& sink);
    // The sink's intake for the items of `making` (DBFRecordSink::
    // TakeItemsOf); null for a table file, or a sink that takes records.
    ItemIntake* TakeItemsOf(const RecordMaking& making)
    {
        return sink_ != nullptr ? sink_->TakeItemsOf(making) : nullptr;
    }

    // Loads (header length - 32) / 32 descriptors, with displacements
    // recomputed from the field lengths. Call right after OpenRead.
    bool ReadFieldDescriptors();

    // Building, in this order: AddField per column, WriteHeader once, then
    // per record the setters and AppendRecord.
    void AddField(std::string_view name, char type, int length, int decimals);
    void WriteHeader(uint32_t recordCount);
    void AppendRecord();

    // Lower-level building for copying another table's layout: the header,
    // each descriptor, then one of the two ends of the header.
    void WriteRawHeader(const DBFHeader& header);
    void WriteField(const DBFField& field);
    void WriteHeaderTerminator();
    // Zero bytes up to the header length the raw header states, for a copied
    // layout whose header has no terminator.
    void EndHeaderWithZeros();
    // True when the header being built ended with EndHeaderWithZeros.
    bool HeaderEndsWithZeros() const { return headerZeros_; }
    // Appends one record of the record length as given, its deletion flag
    // included.
    void AppendRawRecord(const uint8_t* record);
    // Appends at most 65535 bytes as they are.
    bool WriteBytes(const void* bytes, uint32_t count);
    // Writes what was appended so far to the file and ends the file there.
    // False when any of it could not be written or the file could not be
    // cut; GetFailure then says why.
    bool Finish();
    // Why OpenRead, Create or the building failed: the file, what was wrong
    // and, where the system gave one, its reason; empty while nothing failed.
    std::string GetFailure() const;

    // Setters fill the record buffer at the field's displacement. An index
    // beyond the last field or an unknown name changes nothing.
    void SetFieldString(int field, std::string_view text);
    void SetFieldInt(int field, int value);
    void SetFieldLong(int field, long value);
    void SetFieldFloat(int field, float value);
    void SetFieldDouble(int field, double value);
    void SetFieldChar(int field, char value);
    void SetFieldRawDouble(int field, double value);
    void SetFieldString(std::string_view name, std::string_view text);
    void SetFieldInt(std::string_view name, int value);
    void SetFieldLong(std::string_view name, long value);
    void SetFieldFloat(std::string_view name, float value);
    void SetFieldDouble(std::string_view name, double value);
    void SetFieldChar(std::string_view name, char value);
    void SetFieldRawDouble(std::string_view name, double value);

    // Makes record `index` (0-based) current. False for a negative index or
    // a record that does not lie wholly inside the file; the current record
    // then stays what it was.
    bool GoToRecord(int64_t index);
    // GoToRecord, then hands out the current record: a pointer to record
    // length bytes starting with the deletion flag, valid until the next
    // record read on this table. Null while no record was ever read.
    bool ReadRecord(int64_t index, const uint8_t** bytes);
    // ReadRecord, then hands out as many of the `count` records from `index`
    // on as lie whole in the same read window (at least that one), the
    // others following the first at record length steps. The number handed
    // out; 0 when record `index` cannot be read.
    int64_t ReadRecords(int64_t index, int64_t count, const uint8_t** bytes);

    // Getters read the current record. An unknown field, or no current
    // record, yields an empty value (zero bytes, empty text, 0).
    // `buffer` receives the field's bytes and a NUL: field length + 1 bytes.
    void GetFieldText(int field, char* buffer) const;
    // Copies min(n, field length) bytes, without terminator.
    void GetFieldBytes(int field, void* buffer, size_t n) const;
    // The field's bytes up to the first NUL.
    std::string GetFieldString(int field) const;
    long GetFieldLong(int field) const;
    int GetFieldInt(int field) const;
    float GetFieldFloat(int field) const;
    double GetFieldDouble(int field) const;
    void GetFieldText(std::string_view name, char* buffer) const;
    void GetFieldBytes(std::string_view name, void* buffer, size_t n) const;
    std::string GetFieldString(std::string_view name) const;
    long GetFieldLong(std::string_view name) const;
    int GetFieldInt(std::string_view name) const;
    float GetFieldFloat(std::string_view name) const;
    double GetFieldDouble(std::string_view name) const;

    // Index of the first field whose name equals `name` exactly
    // (case-sensitive), or -1.
    int FindField(std::string_view name) const;
    int GetFieldCount() const { return static_cast<int>(fields_.size()); }
    // Descriptor `index`; a zeroed descriptor for an index out of range.
    DBFField GetField(int index) const;

    const DBFHeader& GetHeader() const { return header_; }
    int64_t GetRecordCount() const { return header_.recordCount; }
    // The records of that count that lie whole in the file: fewer in a table
    // cut short. For a table being read.
    int64_t GetRecordsHeld() const;
    // The size of the file being read, as it was opened.
    uint64_t GetFileSize() const { return file_.GetPosition(); }
    uint32_t GetHeaderLength() const { return header_.headerLength; }
    uint32_t GetRecordLength() const { return header_.recordLength; }
    bool IsOpen() const { return open_; }
    // The record the setters fill, as AppendRecord would hand it on (its
    // deletion flag aside); null before WriteHeader.
    const uint8_t* RecordBeingBuilt() const { return recordBuffer_.get(); }

private:
    // Loads the 32-byte header of the table opened for reading and makes it
    // open; on a short table notes why, naming `name`, and closes it.
    bool LoadHeader(const std::string& name);
    // The field's bytes inside the record buffer (building) or null.
    uint8_t* WritableField(int field, size_t* length);
    // The part of the field that lies inside the current record.
    size_t ReadableField(int field, const uint8_t** bytes) const;
    // Stores up to the field length of `text`, stopping at a NUL, and pads
    // the rest of the field with NUL bytes.
    void StoreText(int field, const char* text, size_t textLength);
    // Stores "%*lld" of `value` with the field length as the width, cut to it.
    void StoreInteger(int field, int64_t value);
    void AddToFieldList(DBFField field);
    // Takes `header` and makes the record buffer for building its records.
    void PrepareRecordBuffer(const DBFHeader& header);

    DBFHeader header_;
    std::vector<DBFField> fields_;
    CLargeFile file_;
    DBFRecordSink* sink_ = nullptr;
    const uint8_t* currentRecord_ = nullptr;
    std::unique_ptr<uint8_t[]> recordBuffer_;
    size_t recordBufferSize_ = 0;
    // Per field of the record buffer, how many of its first bytes may be
    // other than NUL (UINT8_MAX: any), so that a text shorter than the one
    // before clears only the difference instead of its whole field.
    std::vector<uint8_t> unclearedLength_;
    bool open_ = false;

    std::string openFailure_;
    bool building_ = false;
    bool headerZeros_ = false;
};

}  // namespace logora
