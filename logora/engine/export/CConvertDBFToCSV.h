#pragma once
// Writes a dBASE table as a CSV file: the list form (one line per record,
// every column) or the table form (one line per time stamp, one column per
// tag). One object serves one export: OpenSource, CreateOutput, fill the tag
// list, ExportList or ExportTable, destroy.
//
// Either form can also be written while the table is being built, without a
// table file: Prepare, for the table form SetStreamedForm, build the table
// into the exporter as its record sink (ConvertToSink), then Finish.
//
// The output is written with plain writes (a growing file mapping costs more
// than the formatting) to a temporary file beside the target and renamed
// over it when the export ends, so the file that was there is replaced only
// by a finished export, never by a failed or cancelled one.

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "logora/engine/convert/OutputSink.h"
#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/run/ControlProcess.h"
#include "platform/files/OutputFile.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

struct ColumnPlan;
struct EngineContext;
struct TableFormState;
class ColumnTexts;
class CsvOutput;
class InlineItemLines;
class ItemLineMaking;
class ItemTableStage;
class ListLineFormatter;
class RecordThreads;

class CConvertDBFToCSV : public OutputSink
{
public:
    // Reports failures to the context's run state and writes texts in its
    // code page.
    CConvertDBFToCSV(const EngineContext& context, int floatLength, int decimalCount);
    virtual ~CConvertDBFToCSV();
    CConvertDBFToCSV(const CConvertDBFToCSV&) = delete;
    CConvertDBFToCSV& operator=(const CConvertDBFToCSV&) = delete;

    // Opens the table for reading and loads its fields. False, reported,
    // when it cannot be opened or is no usable table. Messages name the
    // table `shownAs` when given: the input a viewer's table was made of.
    bool OpenSource(const std::string& path, const std::string& shownAs = {});
    // Prepares the output file, replacing an existing one when the export
    // ends. False, reported, when it cannot be created.
    bool CreateOutput(const std::string& path);
    // CreateOutput without the report, for callers that have another way.
    bool Prepare(const std::string& path) override;

    // Tag names for the table form, in column order (tag number order); the
    // list form ignores them. Left empty, the table form takes the distinct
    // texts of the table's tag column.
    std::vector<std::string>& TagList() { return tags_; }
    // Each record's entry of the tag list, for a table whose tag texts do not
    // tell every tag apart; the table form then follows it instead of the
    // texts. Ignored unless it has one entry per record. Not owned.
    void SetRecordTags(const std::vector<uint16_t>* tags) { recordTags_ = tags; }
    // Exports only these records, in this order (null: every record).
    void SetRecordSubset(const std::vector<uint32_t>* records) { subset_ = records; }
    // The list form writes only these fields, in this order (null: every
    // field in table order); the table form ignores it. Not owned.
    void SetColumnChoice(const std::vector<int>* fields) { columnChoice_ = fields; }
    // Exports only the first `count` records: those a table cut short holds,
    // whose missing records would otherwise fail the export.
    void LimitRecords(int64_t count) { recordLimit_ = count; }

    // Write the whole file, reporting progress as (record count, records
    // done) after each record and stopping when `progress` is cancelled.
    // True when every record was exported; false when cancelled or when the
    // export failed (reported). Nothing is written then: the target stays as
    // it was.
    bool ExportList(ControlProcess& progress);
    bool ExportTable(ControlProcess& progress);

    // Threads of a list-form export (ExportThreads() unless told): 1 keeps it
    // on the calling thread; with more, the calling thread reads while the
    // others format. The bytes are the same.
    void SetFormatThreads(unsigned threads) { formatThreads_ = threads; }

    // The form a streamed export writes: the list form unless told.
    void SetStreamedForm(bool tableForm) { streamTableForm_ = tableForm; }
    bool NeedsTagColumnsFirst() const override { return streamTableForm_; }
    // The export of a table being built (after CreateOutput): the table's
    // layout gives the columns and the heading line, each record appended
    // its line (list form) or its field of the current line (table form).
    void BeginRecords(const CDBF& table) override;
    void TakeRecord(const uint8_t* record) override;
    // A list-form export on several threads builds the records there.
    ItemIntake* TakeItemsOf(const RecordMaking& making) override;
    // The table form's columns, as TagList.
    void TakeTagNames(const std::vector<std::string>& names) override { tags_ = names; }
    void TakeTaggedRecord(const uint8_t* record, size_t tag) override;
    // Ends a streamed export.
    bool Finish(bool complete) override;

private:
    enum class Outcome { Completed, Cancelled, Failed };

    bool ReadyToExport() const;
    // With `choice`, only those fields in that order.
    void BeginExport(const CDBF& table, const std::vector<int>* choice = nullptr);
    void BeginListForm(const CDBF& table);
    void PutListLine(const uint8_t* record);
    // False, reported, when the table lacks the tag or the value column.
    bool BeginTableForm(const CDBF& table);
    // Fills the empty tag list from the table; false, reported, when a
    // record cannot be read.
    bool CollectTags();
    void PutTableRecord(const uint8_t* record, size_t tag);
    // The table form's lines of the items of `making` on the export's
    // threads; null where they cannot be made there.
    ItemIntake* TakeTableItems(const RecordMaking& making, const ItemLineMaking& lineMaking);
    void EndTableForm();
    Outcome WriteListRecords(ControlProcess& progress);
    Outcome WriteTableRecords(ControlProcess& progress);
    bool ReadRecordOrReport(int64_t index, const uint8_t** record);
    bool Conclude(Outcome outcome);
    void DropOutput();

    const EngineContext& context_;
    CDBF source_;
    platform::OutputFile output_;
    std::string sourcePath_;
    std::vector<std::string> tags_;
    const std::vector<uint16_t>* recordTags_ = nullptr;
    const std::vector<uint32_t>* subset_ = nullptr;
    const std::vector<int>* columnChoice_ = nullptr;
    int64_t recordLimit_ = INT64_MAX;
    int64_t TableRecords() const { return std::min(source_.GetRecordCount(), recordLimit_); }
    int64_t ExportedCount() const { return subset_ ? int64_t(subset_->size()) : TableRecords(); }
    int64_t ExportedRecord(int64_t index) const
    {
        return subset_ ? int64_t((*subset_)[size_t(index)]) : index;
    }

    platform::ReplacementFile replacement_;
    bool toStandardOutput_ = false;  // the output name was "-"
    bool sourceOpen_ = false;
    bool outputReady_ = false;
    int floatLength_;
    int decimalCount_;
    unsigned formatThreads_;

    // Export state, allocated once before the first record.
    std::unique_ptr<ColumnPlan> plan_;
    std::unique_ptr<CsvOutput> csv_;
    std::unique_ptr<ColumnTexts> texts_;
    std::unique_ptr<ListLineFormatter> listLine_;
    std::unique_ptr<char[]> lineApart_;
    std::unique_ptr<RecordThreads> parallelLines_;
    std::unique_ptr<InlineItemLines> inlineItems_;
    std::unique_ptr<TableFormState> tableForm_;
    // Tells where the table form's lines begin, for the threads' blocks.
    std::unique_ptr<ItemTableStage> lineCutter_;
    uint32_t recordLength_ = 0;
    bool streamTableForm_ = false;
    bool streamFailed_ = false;
};

}  // namespace logora
