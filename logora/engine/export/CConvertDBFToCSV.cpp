#include "logora/engine/export/CConvertDBFToCSV.h"

#include <algorithm>
#include <cstring>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/CsvOutput.h"
#include "logora/engine/export/CsvQuoting.h"
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

// The last date text of one date column: consecutive records of a log mostly
// carry the same date, which then is formatted once.
struct CConvertDBFToCSV::DateMemo
{
    uint8_t bytes[256] = {};
    size_t length = 0;
    char text[CDataFormatHelper::DateTextRoom(CDataFormatHelper::kCsvDateCapacity)] = {};
    size_t textLength = 0;
    bool valid = false;
};

CConvertDBFToCSV::CConvertDBFToCSV(const EngineContext& context, int floatLength, int decimalCount)
    : context_(context), floatLength_(Clamped(floatLength)), decimalCount_(Clamped(decimalCount))
{}

CConvertDBFToCSV::~CConvertDBFToCSV()
{
    DropOutput();
}

bool CConvertDBFToCSV::OpenSource(const std::string& path)
{
    sourcePath_ = path;
    sourceOpen_ = source_.Open(path, CDBF::kModeRead) && source_.ReadFieldDescriptors() &&
                  source_.GetRecordLength() >= 1 && source_.GetHeaderLength() >= kDBFHeaderSize;
    if (!sourceOpen_) context_.run.ReportError(strings::TableCannotBeOpened, path);
    return sourceOpen_;
}

bool CConvertDBFToCSV::CreateOutput(const std::string& path)
{
    if (!PrepareOutput(path)) context_.run.ReportError(strings::OutputCannotBeCreated, path);
    return outputReady_;
}

bool CConvertDBFToCSV::PrepareOutput(const std::string& path)
{
    DropOutput();
    // An existing file that may not be written is not replaced either.
    outputReady_ = platform::IsMissingOrWritable(path) && replacement_.Begin(path) &&
                   output_.Open(replacement_.TemporaryPath());
    if (!outputReady_) DropOutput();
    return outputReady_;
}

void CConvertDBFToCSV::DropOutput()
{
    output_.Close();
    replacement_.Discard();
    outputReady_ = false;
}

bool CConvertDBFToCSV::ReadyToExport() const
{
    return sourceOpen_ && outputReady_;
}

void CConvertDBFToCSV::BeginExport(const CDBF& table)
{
    plan_ = std::make_unique<ColumnPlan>(PlanColumns(table, floatLength_, decimalCount_));
    csv_ = std::make_unique<CsvOutput>(output_);
    dateMemos_.assign(plan_->columns.size(), DateMemo{});
}

size_t CConvertDBFToCSV::FormatColumn(size_t column, const uint8_t* record, char* output)
{
    const PlannedColumn& planned = plan_->columns[column];
    const uint8_t* bytes = record + planned.offset;
    if (planned.role != ColumnRole::Date) {
        return planned.format(output, bytes, planned.length, floatLength_, decimalCount_);
    }
    DateMemo& memo = dateMemos_[column];
    if (!memo.valid || memo.length != planned.length || std::memcmp(memo.bytes, bytes, planned.length) != 0) {
        std::memcpy(memo.bytes, bytes, planned.length);
        memo.length = planned.length;
        memo.textLength = planned.format(memo.text, bytes, planned.length, floatLength_, decimalCount_);
        memo.valid = true;
    }
    std::memcpy(output, memo.text, memo.textLength);
    return memo.textLength;
}

bool CConvertDBFToCSV::ReadRecordOrReport(int64_t index, const uint8_t** record)
{
    if (source_.ReadRecord(index, record) && *record != nullptr) return true;
    context_.run.ReportError(strings::TableEndsEarly, sourcePath_);
    return false;
}

bool CConvertDBFToCSV::Finish(Outcome outcome)
{
    // A cancelled export is dropped too: its shortened file would look complete.
    if (outcome != Outcome::Completed || !csv_) {
        DropOutput();
        return false;
    }
    csv_->Flush();
    bool written = output_.Close();
    // Like any other program's save: the rename is atomic, flushing to disk
    // is left to the system (a large export would otherwise wait for it).
    written = written && replacement_.Commit(false);
    outputReady_ = false;
    if (!written) {
        DropOutput();
        context_.run.ReportError(strings::OutputCannotBeWritten, replacement_.TargetPath());
        return false;
    }
    return true;
}

// The buffers of list-form lines, allocated once per export.
struct CConvertDBFToCSV::ListLine
{
    ListLine(const ColumnPlan& plan, int codePage) : quoting(codePage)
    {
        size_t longestText = 0;
        for (const PlannedColumn& column : plan.columns)
            longestText = std::max(longestText, column.maxTextLength);
        // Only a line longer than an output block is built apart.
        if (plan.maxLineLength > CsvOutput::kBlockSize) apart.reset(new char[plan.maxLineLength]);
        unquoted.reset(new char[longestText + 1]);
    }

    CsvQuoting quoting;
    std::unique_ptr<char[]> apart;
    std::unique_ptr<char[]> unquoted;
};

void CConvertDBFToCSV::BeginListForm(const CDBF& table)
{
    BeginExport(table);
    listLine_ = std::make_unique<ListLine>(*plan_, context_.codePage);
    csv_->Put(";", 1);
    for (size_t i = 0; i < plan_->columns.size(); ++i) {
        if (i > 0) csv_->Put(",", 1);
        csv_->Put(plan_->columns[i].name, std::strlen(plan_->columns[i].name));
    }
    csv_->Put(kLineEnd, 2);
}

void CConvertDBFToCSV::PutListLine(const uint8_t* record)
{
    const ColumnPlan& plan = *plan_;
    const CsvQuoting& quoting = listLine_->quoting;
    // The line is built straight in the output block when it fits there.
    char* start = csv_->Reserve(plan.maxLineLength);
    const bool inBlock = start != nullptr;
    if (!inBlock) start = listLine_->apart.get();
    char* at = start;
    for (size_t column = 0; column < plan.columns.size(); ++column) {
        const PlannedColumn& planned = plan.columns[column];
        bool needsQuoting = false;
        size_t length = 0;
        if (planned.format == CDataFormatHelper::FormatTextColumn) {
            length = quoting.CopyText(at, record + planned.offset, planned.length, needsQuoting);
        } else {
            length = FormatColumn(column, record, at);
            needsQuoting = planned.mayNeedQuoting && quoting.Needs(at, length);
        }
        if (needsQuoting) {
            char* unquoted = listLine_->unquoted.get();
            std::memcpy(unquoted, at, length);
            length = quoting.Quote(at, unquoted, length);
        }
        at += length;
        *at++ = ',';
    }
    *at++ = '\r';
    *at++ = '\n';
    if (inBlock)
        csv_->Commit(static_cast<size_t>(at - start));
    else
        csv_->Put(start, static_cast<size_t>(at - start));
}

bool CConvertDBFToCSV::ExportList(ControlProcess& progress)
{
    if (!ReadyToExport()) return false;
    BeginListForm(source_);
    return Finish(WriteListRecords(progress));
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

void CConvertDBFToCSV::TakeTaggedRecord(const uint8_t* record, size_t tag)
{
    if (streamFailed_) return;
    if (listLine_) PutListLine(record);
    if (tableForm_) PutTableRecord(record, tag);
}

bool CConvertDBFToCSV::FinishStream(bool complete)
{
    const bool begun = listLine_ || tableForm_;
    if (!complete || !begun || streamFailed_) return Finish(Outcome::Failed);
    if (tableForm_) EndTableForm();
    return Finish(Outcome::Completed);
}

}  // namespace logora
