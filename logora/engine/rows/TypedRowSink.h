#pragma once
// The record sink of the outputs that keep types: each record becomes the
// typed row of the CSV list form, or (table form) records of one time stamp
// gather into the row of the CSV table form, and the rows go to a RowWriter.
// Each cell holds the value its CSV field shows: the same formatting, read
// back into its kind. The list form's rows are built on several threads, as
// the CSV list form's lines are (the ExportThreads setting), and reach the
// writer in the records' order, one call at a time.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/convert/OutputSink.h"
#include "logora/engine/rows/RowWriter.h"

namespace logora {

struct EngineContext;
class RecordThreads;
class RowBuilder;
class RowUnpacker;

class TypedRowSink final : public OutputSink
{
public:
    // Texts are decoded from the context's code page; `writer` must outlive
    // the sink. Numbers follow the FloatLength and DecimalCount settings.
    TypedRowSink(const EngineContext& context, RowWriter& writer, int floatLength, int decimalCount);
    ~TypedRowSink() override;

    // The table form's rows in place of the list form's.
    void SetTableForm(bool tableForm) { tableForm_ = tableForm; }
    bool NeedsTagColumnsFirst() const override { return tableForm_; }
    // The list form's rows hold only these fields, in this order (null:
    // every field). Not owned.
    void SetColumnChoice(const std::vector<int>* fields) { columnChoice_ = fields; }

    bool Prepare(const std::string& path) override { return writer_.Prepare(path); }
    void TakeTagNames(const std::vector<std::string>& names) override { tags_ = names; }
    void BeginRecords(const CDBF& table) override;
    void TakeRecord(const uint8_t* record) override { TakeTaggedRecord(record, kTagByName); }
    void TakeTaggedRecord(const uint8_t* record, size_t tag) override;
    ItemIntake* TakeItemsOf(const RecordMaking& making) override;
    bool Finish(bool complete) override;

    // Why the rows could not be written: the writer's failure, or a table
    // without the tag and value columns the table form needs.
    std::string Failure() const;

private:
    const EngineContext& context_;
    RowWriter& writer_;
    int floatLength_;
    int decimalCount_;
    bool tableForm_ = false;
    const std::vector<int>* columnChoice_ = nullptr;
    std::vector<std::string> tags_;
    std::unique_ptr<RowBuilder> builder_;
    // The list form on several threads: the ring, and the end that hands
    // its rows to the writer.
    std::unique_ptr<RowUnpacker> unpacker_;
    std::unique_ptr<RecordThreads> threads_;
    std::string failure_;
    bool failed_ = false;
};

}  // namespace logora
