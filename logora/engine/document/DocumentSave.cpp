// Saving the loaded table: CSV in list or table form, or plain dBASE. Both
// outputs replace their target only when they were written completely; a
// cancelled save keeps nothing of its output, since a shortened file would
// look complete.
#include <memory>
#include <optional>
#include <utility>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

namespace {

// Closes the progress window first, so that the message stands alone.
bool ReportNothingSaved(RunState& run, std::unique_ptr<ControlProcess>& progress, const std::string& path)
{
    progress.reset();
    run.ReportError(strings::SaveCancelled, path);
    return false;
}

}  // namespace

bool CDatReaderDoc::ExportCSV(const std::string& path)
{
    auto progress = context_.OpenProgress(std::string(LoadString(strings::SaveAsCsvCaption)),
                                          FormatString(strings::ConvertingFile, pathName_));
    const int form = csvForm_;
    csvForm_ = kListForm;
    const std::optional<std::vector<uint32_t>> records = std::exchange(savedRecords_, std::nullopt);
    const std::optional<std::vector<int>> columns = std::exchange(savedColumns_, std::nullopt);
    auto exporter =
        std::make_unique<CConvertDBFToCSV>(context_, table_.GetFloatLength(), table_.GetFloatDecimals());
    // The user knows the table by its input, not by the temporary table.
    if (!exporter->OpenSource(table_.GetPath(), pathName_) || !exporter->CreateOutput(path)) return false;
    exporter->TagList() = tagList_;
    exporter->SetRecordTags(&recordTags_);
    // An incomplete table is saved with the records it holds.
    exporter->LimitRecords(table_.GetRecordCount());
    if (records) exporter->SetRecordSubset(&*records);
    if (columns) exporter->SetColumnChoice(&*columns);
    const bool exported =
        form == kTableForm ? exporter->ExportTable(*progress) : exporter->ExportList(*progress);
    if (!exported && progress->IsCancelled()) return ReportNothingSaved(context_.run, progress, path);
    return exported;
}

bool CDatReaderDoc::SaveAsDBF(const std::string& path)
{
    auto progress = context_.OpenProgress(std::string(LoadString(strings::SaveAsDbfCaption)),
                                          FormatString(strings::ConvertingFile, pathName_));
    const std::optional<std::vector<uint32_t>> records = std::exchange(savedRecords_, std::nullopt);
    savedColumns_.reset();  // a dBASE table keeps every field
    platform::ReplacementFile output;
    if (!output.Begin(path)) {
        context_.run.ReportFailure(strings::OutputCannotBeCreated, path, output.Failure());
        return false;
    }
    const bool converted = table_.Convert(output.TemporaryPath(), *progress, records ? &*records : nullptr);
    if (progress->IsCancelled()) {
        output.Discard();
        return ReportNothingSaved(context_.run, progress, path);
    }
    if (!converted || !output.Commit()) {
        output.Discard();
        context_.run.ReportError(strings::OutputCannotBeWritten, path);
        return false;
    }
    return true;
}

}  // namespace logora
