#include "logora/engine/document/CDatReaderDoc.h"

#include <exception>

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/UnreadableTable.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/DocumentRegistry.h"
#include "logora/engine/document/PathExtension.h"
#include "logora/engine/document/TrendRecord.h"
#include "logora/engine/document/TrendShape.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/RegularFile.h"

namespace logora {

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
    recordTags_.clear();
    const Branch branch = BranchFor(UpperExtensionOf(path));
    if (branch == nullptr) {
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
    if (!Converted(path, [&] { (this->*branch)(path); })) {
        temporaryTable_.Delete();
        return false;
    }
    table_.Close();
    if (!table_.Open(tableToLoad_)) {
        context_.run.ReportFailure(strings::TableCannotBeOpened, path,
                                   DescribeUnreadableTable(tableToLoad_, context_.run.MappingErrors()));
        temporaryTable_.Delete();
        return false;
    }
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    pathName_ = path;
    DocumentRegistry().Add(this, path);
    return true;
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
    DocumentRegistry().Remove(this);
    table_.Close();
    temporaryTable_.Delete();
    recordTags_.clear();
}

void CDatReaderDoc::GetValue(int64_t record, int field, std::string& text)
{
    if (record >= 0 && record < GetRecordCount()) table_.GetValue(record, field, text);
}

bool CDatReaderDoc::IsTrendTable()
{
    std::vector<DBFField> fields;
    for (int i = 0; i < table_.GetFieldCount(); ++i) fields.push_back(table_.GetField(i));
    plottable_ = HasTrendShape(fields);
    return plottable_;
}

void CDatReaderDoc::LoadTrendData(ControlProcess& progress)
{
    samples_.clear();
    const int64_t count = GetRecordCount();
    for (int64_t r = 0; r < count; ++r) {
        const uint8_t* record = nullptr;
        if (!table_.ReadRecord(r, &record) || record == nullptr) break;
        AddSample(record);
        progress.SetProgress(uint32_t(count), uint32_t(r + 1));
        if (progress.IsCancelled()) break;
    }
}

void CDatReaderDoc::AddSample(const uint8_t* record)
{
    TrendRecord& parsed = trendRecord_;
    if (!ParseTrendRecord(record, table_.GetRecordLength(), parsed)) return;
    // A hashed look-up per record; the ordered tag map gets each key once.
    auto pen = penOfKey_.find(parsed.key);
    if (pen == penOfKey_.end()) {
        pen = penOfKey_.emplace(parsed.key, nextPenIndex_++).first;
        tagMap_.emplace(parsed.key, pen->second);
    }

    double dateTime = 0.0;
    const bool valid = TrendRecordDateTime(parsed, dateTime);
    if (samples_.empty() || !samples_.back().SameTimeAs(dateTime, valid, parsed.milliseconds)) {
        samples_.push_back({valid ? dateTime : 0.0, valid, parsed.milliseconds, {}});
    }
    samples_.back().SetValue(size_t(pen->second), parsed.value);
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
