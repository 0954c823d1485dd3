#include "logora/engine/cmdline/RunBatch.h"

#include <strings.h>
#include <cstdio>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/PathExtension.h"
#include "logora/engine/run/RunState.h"

namespace logora {

namespace {

// "Nothing was written to %s: ..." in the string table.
constexpr uint32_t kNothingWrittenMessage = 10030;

void SayWhy(const std::string& reason)
{
    if (!reason.empty()) std::fprintf(stderr, "logora: %s\n", reason.c_str());
}

}  // namespace

int RunBatch(const CFileViewerCmdLineInfo& info)
{
    const std::string& input = info.fileParameters.front();
    std::string output = info.fileParameters.back();

    CDatReaderDoc document;
    if (info.tableForm) document.SetExportForm(CDatReaderDoc::kTableForm);
    if (!document.ConvertAndLoad(input)) {
        SayWhy(document.GetFailureReason());
        return kExitInputFailed;
    }
    if (document.IsConversionIncomplete()) {
        SayWhy(document.GetFailureReason());
        SayWhy(input + ": the conversion stopped early; nothing was written to " + output);
        return kExitInputFailed;
    }

    const std::string extension = ExtensionOf(output);
    if (extension.empty() || strcasecmp(extension.c_str(), ".csv") == 0) {
        if (extension.empty()) output += ".csv";
        return document.ExportCSV(output) ? kExitWritten : kExitOutputFailed;
    }
    if (strcasecmp(extension.c_str(), ".dbf") == 0) {
        return document.SaveAsDBF(output) ? kExitWritten : kExitOutputFailed;
    }
    ReportError(kNothingWrittenMessage, output);
    return kExitNothingWritten;
}

}  // namespace logora
