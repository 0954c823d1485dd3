#pragma once
// A table read in place of its input: its layout as the conversion declares
// it, and each read window's records made on demand from the input's raw
// items by the conversion's record maker, instead of a table file written
// first. Its bytes are those the table file would hold; any table reader
// opens it by its name (MadeFiles).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "common/bytes/ByteSource.h"
#include "logora/engine/dbf/DBFRecordSink.h"
#include "logora/engine/dbf/DBFStructures.h"
#include "logora/engine/largefile/MappingErrorSink.h"
#include "logora/engine/run/ControlProcess.h"

namespace logora {

class CDBF;

// What a made table holds: its header bytes (descriptors and terminator
// included), its record length, the records it holds and whether the end
// mark follows them, as the table file would have them.
struct MadeTableShape
{
    std::vector<uint8_t> header;
    uint32_t recordLength = 0;
    int64_t recordsHeld = 0;
    bool endMark = false;

    uint64_t Size() const;
    // The header of `table` once declared (a table built into a sink, from
    // its BeginRecords on), announcing `recordCount` records.
    static std::vector<uint8_t> HeaderOf(const CDBF& table, uint32_t recordCount);
};

// Makes the records of one reader of a made table.
class MadeRecords
{
public:
    virtual ~MadeRecords() = default;
    // Records [first, first + count) one after another into `into`; false
    // (errno set) when the input no longer holds them as they were.
    virtual bool Make(int64_t first, int64_t count, uint8_t* into) = 0;
};

// The bytes of a made table for one reader.
class MadeTableSource : public common::ByteSource
{
public:
    MadeTableSource(MadeTableShape shape, std::unique_ptr<MadeRecords> records);

    uint64_t Size() const override { return shape_.Size(); }
    int64_t ReadAt(uint8_t* data, size_t length, uint64_t offset) const override;
    // About sixteen records a read, and the header whole.
    uint32_t ReadSizeWanted() const override;

private:
    const MadeTableShape shape_;
    mutable std::mutex lock_;
    std::unique_ptr<MadeRecords> records_;
    // The whole records a read covers, reused from read to read.
    mutable std::vector<uint8_t> made_;
};

// Keeps the layout of a table declared into it.
class ShapeOfTable : public DBFRecordSink
{
public:
    void BeginRecords(const CDBF& table) override;
    void TakeRecord(const uint8_t* /*record*/) override {}
    MadeTableShape shape;
};

// A made table as its document holds it: the source of each reader.
class InPlaceTable
{
public:
    virtual ~InPlaceTable() = default;
    // A new reader of the table as it is now; null when the input can no
    // longer be read.
    virtual std::unique_ptr<common::ByteSource> OpenReader() const = 0;
    // Why a reader found the records no longer as they were; empty while
    // they are.
    virtual std::string Moved() const = 0;
};

// Why the records of a made table are no longer those read, noted by the
// first of its readers that finds out.
class MovedNote
{
public:
    // Notes `why` unless a reason was noted before; true when this one was.
    bool Note(const std::string& why);
    // Notes a read of `file` that failed for `failure` (empty: the file
    // became shorter), reports it to `report` when it is the first, and sets
    // errno for it; false, for the read to return.
    bool FailedRead(const std::string& file, const std::string& failure, const MappingErrorSink& report);
    std::string Why() const;

private:
    mutable std::mutex lock_;
    std::string why_;
};

// The last record of the input that a made table holds, as the input held it
// at the open. An input whose writer only appends keeps it; one rewritten or
// cut short since is found out by it, as following finds it out.
struct LastRecord
{
    uint64_t offset = 0;
    std::vector<uint8_t> bytes;  // none for a table of no records

    // Empty when `input` still holds it; otherwise why not, naming `path`.
    std::string Check(const common::ByteSource& input, const std::string& path) const;
};

// Makes the records of an input whose writer only appends: once each read's
// records are made, the last record held must still be as it was
// (LastRecord).
class AppendedInputRecords : public MadeRecords
{
public:
    // `last`, `moved` and `report` outlive the object; the first failed read
    // goes to `report`.
    AppendedInputRecords(std::string path, const LastRecord& last, MovedNote& moved,
                         const MappingErrorSink& report);
    ~AppendedInputRecords() override;
    bool Make(int64_t first, int64_t count, uint8_t* into) final;

protected:
    // Opens the input for the check; false when it cannot be opened.
    bool OpenCheck();
    // Make, before the check.
    virtual bool MakeChecked(int64_t first, int64_t count, uint8_t* into) = 0;
    // For MakeChecked: a read of the input failed for `failure` (empty: the
    // input became shorter), told once the check found no other reason; false.
    bool ReadFailed(const std::string& failure)
    {
        readFailure_ = failure;
        return false;
    }

private:
    bool Unchanged();

    const std::string path_;
    const LastRecord& last_;
    MovedNote& moved_;
    const MappingErrorSink& report_;
    std::unique_ptr<common::ByteSource> check_;
    std::string readFailure_;
};

// A made table whose readers each make their records with a `Records` of
// `Shared`, what they share: its `shape` and its `moved` note among it.
// `Records` is built of the shared part and opens its input with Open.
template <typename Shared, typename Records>
class SharedInPlaceTable : public InPlaceTable
{
public:
    explicit SharedInPlaceTable(std::shared_ptr<const Shared> shared) : shared_(std::move(shared)) {}

    std::unique_ptr<common::ByteSource> OpenReader() const override
    {
        auto records = std::make_unique<Records>(shared_);
        if (!records->Open()) return nullptr;
        return std::make_unique<MadeTableSource>(shared_->shape, std::move(records));
    }
    std::string Moved() const override { return shared_->moved.Why(); }

private:
    std::shared_ptr<const Shared> shared_;
};

// What the readers of an input whose writer only appends share: where it
// is, the `Plan` its records are made by, the table's shape, the last
// record held, where failed mappings go, and why the records moved once
// they did.
template <typename Plan>
struct AppendedInput
{
    std::string path;
    Plan plan;
    MadeTableShape shape;
    LastRecord last;
    MappingErrorSink report;
    mutable MovedNote moved;
};

// The made table of such an input at `path`, whose readers each make their
// records with a `Records` (an AppendedInputRecords) of the input they share.
template <typename Records, typename Plan>
std::shared_ptr<InPlaceTable> AppendedInputTable(std::string path, Plan plan, MadeTableShape shape,
                                                 LastRecord last, MappingErrorSink report)
{
    using Shared = AppendedInput<Plan>;
    return std::make_shared<SharedInPlaceTable<Shared, Records>>(std::shared_ptr<const Shared>(new Shared{
        std::move(path), std::move(plan), std::move(shape), std::move(last), std::move(report), {}}));
}

// Copies the bytes of the made table `name` into a table file at `path`,
// telling `progress` how far it came and stopping when it is cancelled.
// Empty when done, otherwise why not, naming the file; the table file's
// failures go to `reportError` too.
std::string CopyMadeTable(const std::string& name, const std::string& path,
                          const MappingErrorSink& reportError, ControlProcess& progress);

// Takes the records a maker builds into consecutive places of a buffer.
class RecordsInto : public DBFRecordSink
{
public:
    void BeginRecords(const CDBF& table) override;
    void TakeRecord(const uint8_t* record) override;
    void Aim(uint8_t* into) { next_ = into; }

private:
    size_t recordLength_ = 0;
    uint8_t* next_ = nullptr;
};

}  // namespace logora
