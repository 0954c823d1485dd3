#include "logora/engine/document/CDatReaderDoc.h"

#include <algorithm>
#include <exception>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/UnreadableTable.h"
#include "logora/engine/document/DocumentRegistry.h"
#include "logora/engine/document/DocumentTrendSteps.h"
#include "logora/engine/document/FollowedConversion.h"
#include "logora/engine/document/TrendShape.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/RegularFile.h"

namespace logora {

namespace {

// Progress and the cancel button are seen to every few thousand records: a
// call per record would cost more than the record.
void RunTrendSteps(DocumentTrendSteps& steps, ControlProcess& progress)
{
    constexpr int64_t kRecordsPerReport = 4096;
    for (bool finished = false; !finished;) {
        finished = steps.Step(kRecordsPerReport);
        progress.SetProgress(uint32_t(steps.Total()), uint32_t(steps.Done()));
        if (progress.IsCancelled()) break;
    }
}

}  // namespace

CDatReaderDoc::CDatReaderDoc(const EngineContext& context)
    : context_(context), table_(context.run.MappingErrors())
{}

CDatReaderDoc::~CDatReaderDoc()
{
    OnCloseDocument();
}

bool CDatReaderDoc::OnOpenDocument(const std::string& path)
{
    const platform::FileCheck check = platform::RegularFileCheck(path);
    if (check.outcome != platform::FileCheck::Outcome::Regular) {
        context_.run.ReportFailure(strings::TableCannotBeOpened, path, check.why);
        return false;
    }
    return ConvertAndLoad(path);
}

bool CDatReaderDoc::ConvertAndLoad(const std::string& path)
{
    failureReason_.clear();
    conversionIncomplete_ = false;
    recordsRead_.reset();
    recordTags_.clear();
    followFrom_.clear();
    followedConversion_.reset();
    inPlace_.reset();
    inPlaceName_.Remove();
    const InputFormat* format = FindInputFormat(path);
    if (format == nullptr) {
        failureReason_ = path + ": files with this extension cannot be opened";
        return false;
    }
    if (IsDocumentOpen(path)) {
        failureReason_ = path + ": the file is already open";
        return false;
    }
    if (IsIrregularInput(path)) return false;
    if (!temporaryTable_.Create(path)) {
        context_.run.ReportFailure(strings::OutputCannotBeCreated, "TMP", temporaryTable_.GetFailure());
        return false;
    }
    tableToLoad_ = temporaryTable_.Path();
    if (!Converted(path, [&] { ConvertToTemporaryTable(*format, path); })) {
        temporaryTable_.Delete();
        inPlace_.reset();
        inPlaceName_.Remove();
        return false;
    }
    // A table read in place needs no file.
    if (inPlace_ != nullptr) temporaryTable_.Delete();
    table_.Close();
    plottable_ = false;
    if (!table_.Open(tableToLoad_)) {
        context_.run.ReportFailure(strings::TableCannotBeOpened, path,
                                   DescribeUnreadableTable(tableToLoad_, context_.run.MappingErrors()));
        temporaryTable_.Delete();
        return false;
    }
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    plottable_ = IsTrendTable();
    NoteMissingRecords(path);
    pathName_ = path;
    BeginFollowing(*format, path);
    ProgramDocumentRegistry().Add(this, path);
    return true;
}

// A conversion that was cancelled or stopped part way leaves a table that
// announces more records than it holds; its stop was reported already, a
// cancel needs no report. An input table cut short is reported here.
void CDatReaderDoc::NoteMissingRecords(const std::string& input)
{
    const RecordsRead records{table_.GetRecordCount(), table_.GetAnnouncedRecordCount()};
    if (records.read >= records.announced) return;
    recordsRead_ = records;
    if (tableToLoad_ == temporaryTable_.Path() || inPlace_ != nullptr) return;
    context_.run.ReportFailure(strings::TableEndsEarly, input,
                               input + ": the header announces " + std::to_string(records.announced) +
                                   " records of " + std::to_string(table_.GetRecordLength()) +
                                   " bytes, but the file holds only " + std::to_string(records.read) + " (" +
                                   std::to_string(records.announced - records.read) + " missing)");
}

// A missing or unreadable input is left to its branch, which reports it in
// the words of its format; a device, pipe or folder is refused here, before
// any reader could wait on it or read it without end.
bool CDatReaderDoc::IsIrregularInput(const std::string& path) const
{
    const platform::FileCheck check = platform::RegularFileCheck(path);
    if (check.outcome != platform::FileCheck::Outcome::NotRegular) return false;
    context_.run.ReportFailure(strings::TableCannotBeOpened, path, check.why);
    return true;
}

// Readers and converters fail with a ConversionError, which says what to
// report; a table with a gap must not look complete, so only a conversion
// that stopped at a fault in its input keeps its table. Anything else that
// escapes a converter (memory running out) ends the open here too.
bool CDatReaderDoc::Converted(const std::string& input, const std::function<void()>& conversion)
{
    try {
        conversion();
        return true;
    } catch (const ConversionError& error) {
        error.ReportTo(context_.run);
        if (error.kind == ConversionError::Kind::Stopped) {
            conversionIncomplete_ = true;
            return true;
        }
    } catch (const std::exception& error) {
        context_.run.ReportFailure(strings::ConvertLogFileError, input + ": " + error.what());
    }
    return false;
}

void CDatReaderDoc::OnCloseDocument()
{
    ProgramDocumentRegistry().Remove(this);
    table_.Close();
    plottable_ = false;
    temporaryTable_.Delete();
    inPlace_.reset();
    inPlaceName_.Remove();
    recordTags_.clear();
    follower_.reset();
    followedConversion_.reset();
}

int CDatReaderDoc::GetCodePage() const
{
    return context_.codePage;
}

void CDatReaderDoc::GetValue(int64_t record, int field, std::string& text)
{
    if (record >= 0 && record < GetRecordCount()) table_.GetValue(record, field, text);
}

bool CDatReaderDoc::IsTrendTable() const
{
    std::vector<DBFField> fields;
    for (int i = 0; i < table_.GetFieldCount(); ++i) fields.push_back(table_.GetField(i));
    return HasTrendShape(fields);
}

void CDatReaderDoc::LoadTrendData(ControlProcess& progress, size_t pensKept)
{
    LoadTrend(progress, pensKept, nullptr);
}

void CDatReaderDoc::LoadTrendRecords(ControlProcess& progress, const std::vector<uint32_t>& records,
                                     size_t pensKept)
{
    LoadTrend(progress, pensKept, &records);
}

void CDatReaderDoc::LoadTrend(ControlProcess& progress, size_t pensKept, const std::vector<uint32_t>* records)
{
    samples_.clear();
    DocumentTrendSteps steps = TrendStepsFor(tagPens_, samples_, pensKept, records);
    RunTrendSteps(steps, progress);
}

DocumentTrendSteps CDatReaderDoc::TrendStepsFor(TagPens& pens, TrendSamples& samples, size_t pensKept,
                                                const std::vector<uint32_t>* records)
{
    return DocumentTrendSteps(inPlace_.get(), table_, pens, samples, pensKept, records);
}

bool CDatReaderDoc::SetExportForm(int form)
{
    if (form == kListForm || form == kTableForm) {
        csvForm_ = form;
        return false;
    }
    csvForm_ = kListForm;
    return true;
}

}  // namespace logora
