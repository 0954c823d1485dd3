#include "logora/engine/export/CConvertDBFToCSV.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/convert/RecordThreads.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvOutput.h"
#include "logora/engine/export/ExportThreads.h"
#include "logora/engine/export/InlineItemLines.h"
#include "logora/engine/export/ItemLines.h"
#include "logora/engine/export/ListLineFormatter.h"
#include "logora/engine/export/StandardOutputName.h"
#include "logora/engine/export/TableFormLines.h"
#include "logora/engine/export/TableFormState.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/FileAccess.h"

namespace logora {

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr int kMaxSettingValue = 99;  // the options dialog accepts 2..99

int Clamped(int value)
{
    return std::clamp(value, 0, kMaxSettingValue);
}

}  // namespace

CConvertDBFToCSV::CConvertDBFToCSV(const EngineContext& context, int floatLength, int decimalCount)
    : context_(context),
      source_(context.run.MappingErrors()),
      floatLength_(Clamped(floatLength)),
      decimalCount_(Clamped(decimalCount)),
      formatThreads_(ExportThreadsFor(context.options.exportThreads))
{}

CConvertDBFToCSV::~CConvertDBFToCSV()
{
    DropOutput();
}

bool CConvertDBFToCSV::OpenSource(const std::string& path, const std::string& shownAs)
{
    sourcePath_ = shownAs.empty() ? path : shownAs;
    sourceOpen_ = source_.OpenRead(path) && source_.ReadFieldDescriptors() &&
                  source_.GetRecordLength() >= 1 && source_.GetHeaderLength() >= kDBFHeaderSize;
    if (!sourceOpen_) context_.run.ReportError(strings::TableCannotBeOpened, sourcePath_);
    return sourceOpen_;
}

bool CConvertDBFToCSV::CreateOutput(const std::string& path)
{
    if (!Prepare(path))
        context_.run.ReportFailure(strings::OutputCannotBeCreated, path, replacement_.Failure());
    return outputReady_;
}

bool CConvertDBFToCSV::Prepare(const std::string& path)
{
    DropOutput();
    toStandardOutput_ = IsStandardOutputName(path);
    // An existing file that may not be written is not replaced either.
    outputReady_ = toStandardOutput_ ? output_.OpenStandardOutput()
                                     : platform::IsMissingOrWritable(path) && replacement_.Begin(path) &&
                                           output_.Open(replacement_.TemporaryPath());
    if (!outputReady_) DropOutput();
    return outputReady_;
}

void CConvertDBFToCSV::DropOutput()
{
    parallelLines_.reset();
    inlineItems_.reset();
    output_.Close();
    replacement_.Discard();
    outputReady_ = false;
}

bool CConvertDBFToCSV::ReadyToExport() const
{
    return sourceOpen_ && outputReady_;
}

void CConvertDBFToCSV::BeginExport(const CDBF& table, const std::vector<int>* choice)
{
    plan_ = std::make_unique<ColumnPlan>(PlanColumns(table, floatLength_, decimalCount_));
    if (choice) *plan_ = ChooseColumns(*plan_, *choice);
    csv_ = std::make_unique<CsvOutput>(output_);
    texts_ = std::make_unique<ColumnTexts>(*plan_, floatLength_, decimalCount_);
}

bool CConvertDBFToCSV::ReadRecordOrReport(int64_t index, const uint8_t** record)
{
    if (source_.ReadRecord(index, record) && *record != nullptr) return true;
    context_.run.ReportError(strings::TableEndsEarly, sourcePath_);
    return false;
}

bool CConvertDBFToCSV::Conclude(Outcome outcome)
{
    // A cancelled export is dropped too: its shortened file would look complete.
    if (outcome != Outcome::Completed || !csv_) {
        DropOutput();
        return false;
    }
    if (parallelLines_) parallelLines_->Finish();
    csv_->Flush();
    bool written = output_.Close();
    // Like any other program's save: the rename is atomic, flushing to disk
    // is left to the system (a large export would otherwise wait for it).
    written = written && (toStandardOutput_ || replacement_.Commit(false));
    outputReady_ = false;
    if (!written) {
        DropOutput();
        context_.run.ReportError(strings::OutputCannotBeWritten, toStandardOutput_
                                                                     ? std::string(kStandardOutputText)
                                                                     : replacement_.TargetPath());
        return false;
    }
    return true;
}

void CConvertDBFToCSV::BeginListForm(const CDBF& table)
{
    BeginExport(table, columnChoice_);
    csv_->Put(";", 1);
    for (size_t i = 0; i < plan_->columns.size(); ++i) {
        if (i > 0) csv_->Put(",", 1);
        csv_->Put(plan_->columns[i].name, std::strlen(plan_->columns[i].name));
    }
    csv_->Put(kLineEnd, 2);
    if (formatThreads_ > 1) {
        csv_->Flush();  // the heading goes first
        // The calling thread reads; the others format.
        const StageFactory lines = [this] {
            return std::make_unique<ListLineFormatter>(*plan_, floatLength_, decimalCount_,
                                                       context_.codePage);
        };
        parallelLines_ = std::make_unique<RecordThreads>(
            table.GetRecordLength(), plan_->nominalLineLength, lines, formatThreads_ - 1,
            [this](const char* bytes, size_t length) { output_.Write(bytes, length); });
        return;
    }
    listLine_ = std::make_unique<ListLineFormatter>(*plan_, floatLength_, decimalCount_, context_.codePage);
    // Only a line longer than an output block is built apart.
    if (plan_->maxLineLength > CsvOutput::kBlockSize) lineApart_.reset(new char[plan_->maxLineLength]);
}

void CConvertDBFToCSV::PutListLine(const uint8_t* record)
{
    if (parallelLines_) {
        parallelLines_->Add(record);
        return;
    }
    // The line is built straight in the output block when it fits there.
    char* start = csv_->Reserve(plan_->maxLineLength);
    if (start != nullptr) {
        csv_->Commit(listLine_->Format(record, start));
    } else {
        csv_->Put(lineApart_.get(), listLine_->Format(record, lineApart_.get()));
    }
}

bool CConvertDBFToCSV::ExportList(ControlProcess& progress)
{
    if (!ReadyToExport()) return false;
    BeginListForm(source_);
    return Conclude(WriteListRecords(progress));
}

CConvertDBFToCSV::Outcome CConvertDBFToCSV::WriteListRecords(ControlProcess& progress)
{
    const int64_t count = ExportedCount();
    for (int64_t index = 0; index < count; ++index) {
        const uint8_t* record = nullptr;
        if (!ReadRecordOrReport(ExportedRecord(index), &record)) return Outcome::Failed;
        PutListLine(record);
        progress.SetProgress(static_cast<uint32_t>(count), static_cast<uint32_t>(index + 1));
        if (progress.IsCancelled()) return Outcome::Cancelled;
    }
    return Outcome::Completed;
}

void CConvertDBFToCSV::BeginRecords(const CDBF& table)
{
    recordLength_ = table.GetRecordLength();
    if (!outputReady_ || plan_) {
        streamFailed_ = true;
    } else if (streamTableForm_) {
        streamFailed_ = !BeginTableForm(table);
    } else {
        BeginListForm(table);
    }
}

void CConvertDBFToCSV::TakeRecord(const uint8_t* record)
{
    TakeTaggedRecord(record, kTagByName);
}

ItemIntake* CConvertDBFToCSV::TakeItemsOf(const RecordMaking& making)
{
    if (streamFailed_) return nullptr;
    const auto* lineMaking = dynamic_cast<const ItemLineMaking*>(&making);
    if (tableForm_) return lineMaking != nullptr ? TakeTableItems(making, *lineMaking) : nullptr;
    const StageFactory itemLines = [this, lineMaking] {
        return lineMaking->ItemLineStage(
            std::make_unique<ListLineFormatter>(*plan_, floatLength_, decimalCount_, context_.codePage));
    };
    if (!parallelLines_) {
        // One thread: the lines are made here.
        if (lineMaking == nullptr || !listLine_ || inlineItems_) return nullptr;
        inlineItems_ = std::make_unique<InlineItemLines>(itemLines(), making.ItemLength(), *csv_);
        return inlineItems_.get();
    }
    if (lineMaking == nullptr) return parallelLines_->TakeItemsOf(making);
    return parallelLines_->TakeItemsOf(making, &itemLines);
}

ItemIntake* CConvertDBFToCSV::TakeTableItems(const RecordMaking& making, const ItemLineMaking& lineMaking)
{
    if (formatThreads_ <= 1 || parallelLines_) return nullptr;
    const auto tableStage = [this, &lineMaking] {
        return lineMaking.ItemTableStageFor(
            std::make_unique<TableFormLines>(*plan_, tags_, floatLength_, decimalCount_, context_.codePage));
    };
    lineCutter_ = tableStage();
    if (!lineCutter_) return nullptr;
    csv_->Flush();  // the heading goes first
    const StageFactory tableLines = [&tableStage]() -> std::unique_ptr<RecordStage> { return tableStage(); };
    // Blocks of about as many items as the list form's of records: each
    // record can make a line.
    parallelLines_ = std::make_unique<RecordThreads>(
        recordLength_, plan_->nominalLineLength, tableLines, formatThreads_ - 1,
        [this](const char* bytes, size_t length) { output_.Write(bytes, length); });
    parallelLines_->CutItemsWhere([this](const uint8_t* before, const uint8_t* after) {
        return lineCutter_->StartsLine(before, after);
    });
    return parallelLines_->TakeItemsOf(making, &tableLines);
}

void CConvertDBFToCSV::TakeTaggedRecord(const uint8_t* record, size_t tag)
{
    if (streamFailed_) return;
    if (listLine_ || parallelLines_) PutListLine(record);
    if (tableForm_) PutTableRecord(record, tag);
}

bool CConvertDBFToCSV::Finish(bool complete)
{
    const bool begun = listLine_ || parallelLines_ || tableForm_;
    if (!complete || !begun || streamFailed_) return Conclude(Outcome::Failed);
    if (tableForm_) EndTableForm();
    return Conclude(Outcome::Completed);
}

}  // namespace logora
