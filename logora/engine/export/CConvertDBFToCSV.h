#pragma once
// Writes a dBASE table as a CSV file: the list form (one line per record,
// every column) or the table form (one line per time stamp, one column per
// tag). One object serves one export: OpenSource, CreateOutput, fill the tag
// list, ExportList or ExportTable, destroy.
//
// The output is written with plain writes (a growing file mapping costs more
// than the formatting) to a temporary file beside the target and renamed
// over it when the export ends, so the file that was there is replaced only
// by a finished (or deliberately cancelled, well-formed) export, never by a
// failed one.

#include <memory>
#include <string>
#include <vector>

#include "logora/engine/dbf/CDBF.h"
#include "logora/engine/run/ControlProcess.h"
#include "platform/files/OutputFile.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

struct ColumnPlan;
class CsvOutput;

class CConvertDBFToCSV
{
public:
    // Formats floating values with the FloatLength and DecimalCount settings.
    CConvertDBFToCSV();
    CConvertDBFToCSV(int floatLength, int decimalCount);
    virtual ~CConvertDBFToCSV();
    CConvertDBFToCSV(const CConvertDBFToCSV&) = delete;
    CConvertDBFToCSV& operator=(const CConvertDBFToCSV&) = delete;

    // Opens the table for reading and loads its fields. False, reported,
    // when it cannot be opened or is no usable table.
    bool OpenSource(const std::string& path);
    // Prepares the output file, replacing an existing one when the export
    // ends. False, reported, when it cannot be created.
    bool CreateOutput(const std::string& path);

    // Tag names for the table form, in column order; the list form ignores them.
    std::vector<std::string>& TagList() { return tags_; }

    // Write the whole file, reporting progress as (record count, records
    // done) after each record and stopping when `progress` is cancelled.
    // True when every record was exported; false when cancelled (the lines
    // written so far are kept, each complete) or when the export failed
    // (reported; nothing is written, the target stays as it was).
    bool ExportList(ControlProcess& progress);
    bool ExportTable(ControlProcess& progress);

private:
    enum class Outcome { Completed, Cancelled, Failed };

    bool ReadyToExport() const;
    void BeginExport(const ColumnPlan& plan);
    size_t FormatColumn(size_t column, const uint8_t* record, char* output);
    Outcome WriteListRecords(const ColumnPlan& plan, CsvOutput& output, ControlProcess& progress);
    Outcome WriteTableRecords(const ColumnPlan& plan, CsvOutput& output, ControlProcess& progress);
    bool ReadRecordOrReport(int64_t index, const uint8_t** record);
    bool Finish(Outcome outcome, CsvOutput& output);
    void DropOutput();

    CDBF source_;
    platform::OutputFile output_;
    std::string sourcePath_;
    std::vector<std::string> tags_;

    platform::ReplacementFile replacement_;
    bool sourceOpen_ = false;
    bool outputReady_ = false;
    int floatLength_;
    int decimalCount_;

    // Export state, allocated once before the record loop.
    const ColumnPlan* plan_ = nullptr;
    struct DateMemo;
    std::vector<DateMemo> dateMemos_;
};

}  // namespace logora
