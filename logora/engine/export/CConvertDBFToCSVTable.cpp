// The table form of the CSV export: one line per group of consecutive records
// with equal key texts (date, time and milliseconds), one field per tag.

#include <algorithm>
#include <cstring>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvOutput.h"
#include "logora/engine/export/CsvQuoting.h"
#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/export/TableFormState.h"
#include "logora/engine/export/TableFormTags.h"
#include "logora/engine/export/TagTexts.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

// Puts `text` quoted when the quoting rule asks for it.
void PutField(CsvOutput& output, const CsvQuoting& quoting, const std::string& text)
{
    if (!quoting.Needs(text.data(), text.size())) {
        output.Put(text.data(), text.size());
        return;
    }
    std::unique_ptr<char[]> quoted(new char[2 * text.size() + 2]);
    output.Put(quoted.get(), quoting.Quote(quoted.get(), text.data(), text.size()));
}

}  // namespace

bool CConvertDBFToCSV::ExportTable(ControlProcess& progress)
{
    if (!ReadyToExport()) return false;
    if (tags_.empty() && !CollectTags()) return Conclude(Outcome::Failed);
    if (!BeginTableForm(source_)) return Conclude(Outcome::Failed);
    return Conclude(WriteTableRecords(progress));
}

bool CConvertDBFToCSV::CollectTags()
{
    const ColumnPlan plan = PlanColumns(source_, floatLength_, decimalCount_);
    return CollectTagTexts(
        plan, ExportedCount(), floatLength_, decimalCount_,
        [this](int64_t index, const uint8_t** record) {
            return ReadRecordOrReport(ExportedRecord(index), record);
        },
        tags_);
}

bool CConvertDBFToCSV::BeginTableForm(const CDBF& table)
{
    BeginExport(table);
    const ColumnPlan& plan = *plan_;
    if (plan.Find(ColumnRole::Tag) < 0 || plan.Find(ColumnRole::Value) < 0) {
        context_.run.ReportError(strings::TableFormColumnsMissing, sourcePath_);
        return false;
    }
    tableForm_ = std::make_unique<TableFormState>(plan, tags_, context_.codePage);

    CsvOutput& output = *csv_;
    output.Put(";", 1);
    for (const PlannedColumn& column : plan.columns) {
        if (!IsKeyColumn(column.role)) continue;
        output.Put(column.name, std::strlen(column.name));
        output.Put(",", 1);
    }
    for (const std::string& tag : tags_) {
        PutField(output, tableForm_->quoting, tag);
        output.Put(",", 1);
    }
    output.Put("\r\n", 2);
    return true;
}

void CConvertDBFToCSV::PutTableRecord(const uint8_t* record, size_t tag)
{
    tableForm_->Take(record, tag, *texts_, [this](TableFormLine& line) { line.Write(*csv_, true); });
}

void CConvertDBFToCSV::EndTableForm()
{
    if (tableForm_->line.IsOpen()) tableForm_->line.Write(*csv_, false);
}

CConvertDBFToCSV::Outcome CConvertDBFToCSV::WriteTableRecords(ControlProcess& progress)
{
    const int64_t count = ExportedCount();
    const bool byRecordTags = recordTags_ != nullptr && int64_t(recordTags_->size()) == TableRecords();
    for (int64_t index = 0; index < count; ++index) {
        const uint8_t* record = nullptr;
        const int64_t at = ExportedRecord(index);
        if (!ReadRecordOrReport(at, &record)) return Outcome::Failed;
        PutTableRecord(record, byRecordTags ? (*recordTags_)[size_t(at)] : kTagByName);
        progress.SetProgress(static_cast<uint32_t>(count), static_cast<uint32_t>(index + 1));
        if (progress.IsCancelled()) return Outcome::Cancelled;  // the open line is lost
    }
    EndTableForm();
    return Outcome::Completed;
}

}  // namespace logora
