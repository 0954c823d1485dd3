// Saving the loaded table: CSV in list or table form, or plain dBASE. Both
// outputs replace their target only when they were written completely.
#include <memory>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/run/ProgressFactory.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/ReplacementFile.h"

namespace logora {

bool CDatReaderDoc::ExportCSV(const std::string& path)
{
    const auto progress = OpenProgress(std::string(LoadString(strings::SaveAsCsvCaption)),
                                       FormatString(strings::ConvertingFile, pathName_));
    const int form = csvForm_;
    csvForm_ = kListForm;
    auto exporter = std::make_unique<CConvertDBFToCSV>(table_.GetFloatLength(), table_.GetFloatDecimals());
    if (!exporter->OpenSource(table_.GetPath()) || !exporter->CreateOutput(path)) return false;
    exporter->TagList() = tagList_;
    return form == kTableForm ? exporter->ExportTable(*progress) : exporter->ExportList(*progress);
}

bool CDatReaderDoc::SaveAsDBF(const std::string& path)
{
    const auto progress = OpenProgress(std::string(LoadString(strings::SaveAsDbfCaption)),
                                       FormatString(strings::ConvertingFile, pathName_));
    platform::ReplacementFile output;
    if (!output.Begin(path)) {
        ReportError(strings::OutputCannotBeCreated, path);
        return false;
    }
    if (!table_.Convert(output.TemporaryPath(), *progress) || !output.Commit()) {
        output.Discard();
        ReportError(strings::OutputCannotBeWritten, path);
        return false;
    }
    return true;
}

}  // namespace logora
