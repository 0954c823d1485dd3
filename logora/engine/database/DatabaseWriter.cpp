#include "logora/engine/database/DatabaseWriter.h"

#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>

#include "logora/engine/database/RowQueue.h"
#include "logora/engine/database/RowStatement.h"
#include "logora/engine/database/SourcesTable.h"
#include "logora/engine/database/SqlNames.h"
#include "logora/engine/database/SqliteDatabase.h"
#include "logora/engine/database/TableSchema.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

namespace {

// A new file is dropped unless complete, so it needs no journal to undo a
// failure, and nobody else sees it before it is complete. An existing
// database keeps its journal (and its syncs), which undoes a failed input
// even after a crash or a power cut.
constexpr const char* kNewFileSettings =
    "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA locking_mode = EXCLUSIVE";
// Pages of 16 KiB (taken by a new database only) take half the time of the
// default 4 KiB to index. 4 MiB of them in memory, which is also what the
// sort of an index's keys holds before it spills to a temporary file: more
// saves no time, and sorting on threads of its own costs more time of the
// processor than it saves.
constexpr const char* kPageSettings = "PRAGMA page_size = 16384; PRAGMA cache_size = -4096";

class DatabaseWriter final : public RowWriter
{
public:
    DatabaseWriter(const OutputOrigin& origin, bool inPlace) : origin_(origin), inPlace_(inPlace) {}
    ~DatabaseWriter() override { Abandon(); }

    bool Prepare(const std::string& path) override
    {
        path_ = path;
        if (!inPlace_ && !replacement_.Begin(path)) {
            failure_ = replacement_.Failure();
            return false;
        }
        const std::string& file = inPlace_ ? path : replacement_.TemporaryPath();
        if (!database_.Open(file)) return Failed();
        return ((inPlace_ || database_.Execute(kNewFileSettings)) && database_.Execute(kPageSettings) &&
                database_.Execute("BEGIN IMMEDIATE") && EnsureSourcesTable(database_)) ||
               Failed();
    }

    bool BeginRows(const RowLayout& layout) override
    {
        if (!database_.IsOpen()) return false;
        table_ = TableNameFor(origin_.inputPath);
        // In place, the old table stays until the new one is complete.
        writtenTable_ = inPlace_ ? FreeName(table_ + " (incomplete)") : table_;
        schema_.emplace(layout);
        if (!database_.Execute(schema_->CreateSql(writtenTable_, layout)) ||
            !rows_.Prepare(database_, writtenTable_, layout))
            return Failed();
        // The connection is the queue's until its Finish.
        queue_ = std::make_unique<RowQueue>(layout.columns.size(),
                                            [this](const RowCell* cells, const CivilTime* timeStamp) {
                                                return rows_.Insert(cells, timeStamp);
                                            });
        return true;
    }

    bool PutRow(const RowCell* cells, const CivilTime* timeStamp) override
    {
        if (failed_ || !queue_) return false;
        if (!queue_->Put(cells, timeStamp)) return Failed();
        ++rowCount_;
        return true;
    }

    bool Finish(bool complete) override
    {
        if (!complete || failed_ || !queue_ || !Complete()) {
            Abandon();
            return false;
        }
        return true;
    }

    std::string Failure() const override { return failure_; }

private:
    bool Failed()
    {
        if (failure_.empty()) failure_ = path_ + ": " + database_.Failure();
        failed_ = true;
        return false;
    }

    std::string FreeName(const std::string& base)
    {
        std::string name = base;
        for (int suffix = 2; database_.HasObject(name); ++suffix) name = base + " " + std::to_string(suffix);
        return name;
    }

    bool ReplaceTable()
    {
        return database_.Execute("DROP TABLE IF EXISTS " + QuotedName(table_)) &&
               database_.Execute("ALTER TABLE " + QuotedName(writtenTable_) + " RENAME TO " +
                                 QuotedName(table_));
    }

    bool Complete()
    {
        if (!queue_->Finish()) return Failed();
        rows_ = RowStatement();
        if (!(inPlace_ ? ReplaceTable() : true) || !schema_->CreateIndexes(database_, table_) ||
            !RecordSource(database_, table_, origin_, rowCount_, std::chrono::system_clock::now()) ||
            !database_.Execute("COMMIT"))
            return Failed();
        database_.Close();
        // Flushing to disk is left to the system, as for the CSV output.
        if (!inPlace_ && !replacement_.Commit(false)) {
            failure_ = path_ + ": cannot be put in place: " + std::strerror(errno);
            return false;
        }
        return true;
    }

    // Closing without COMMIT rolls the transaction back.
    void Abandon()
    {
        queue_.reset();
        rows_ = RowStatement();
        database_.Close();
        replacement_.Discard();
    }

    const OutputOrigin origin_;
    const bool inPlace_;
    std::string path_;
    platform::ReplacementFile replacement_;
    SqliteDatabase database_;
    std::string table_;
    std::string writtenTable_;
    std::optional<TableSchema> schema_;
    RowStatement rows_;
    std::unique_ptr<RowQueue> queue_;
    int64_t rowCount_ = 0;
    std::string failure_;
    bool failed_ = false;
};

}  // namespace

std::unique_ptr<RowWriter> MakeDatabaseWriter(const OutputOrigin& origin)
{
    return std::make_unique<DatabaseWriter>(origin, false);
}

std::unique_ptr<RowWriter> MakeDatabaseWriterInto(const OutputOrigin& origin)
{
    return std::make_unique<DatabaseWriter>(origin, true);
}

}  // namespace logora
