#include "logora/engine/cmdline/RunBatch.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "common/text/AsciiCase.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "platform/signals/Interrupts.h"

namespace logora {

namespace {

// "Nothing was written to %s: ..." in the string table.
constexpr uint32_t kNothingWrittenMessage = 10030;

void SayWhy(const std::string& reason)
{
    if (!reason.empty()) std::fprintf(stderr, "logora: %s\n", reason.c_str());
}

int InputFailed(const CDatReaderDoc& document, const std::string& input, const std::string& output)
{
    SayWhy(document.GetFailureReason());
    // An interrupt says so itself.
    if (platform::Interrupted()) return kExitInputFailed;
    if (const std::optional<RecordsRead>& records = document.GetRecordsRead())
        SayWhy(input + ": " + IncompleteText(*records) + "; nothing was written to " + output);
    else if (document.IsConversionIncomplete())
        SayWhy(input + ": the conversion stopped early; nothing was written to " + output);
    return kExitInputFailed;
}

bool HoldsDatalog(const CDatReaderDoc& document)
{
    std::vector<DBFField> fields;
    for (int i = 0; i < document.GetFieldCount(); ++i) fields.push_back(document.GetField(i));
    return HasTableFormColumns(fields);
}

}  // namespace

int RunBatch(const CFileViewerCmdLineInfo& info, const EngineContext& context)
{
    const std::string& input = info.fileParameters.front();
    const std::string& output = info.fileParameters.back();
    const std::string extension = ExtensionOf(output);
    const bool csv = extension.empty() || common::EqualsIgnoringAsciiCase(extension, ".csv");
    const std::string csvOutput = extension.empty() ? output + ".csv" : output;

    const bool dbf = common::EqualsIgnoringAsciiCase(extension, ".dbf");

    CDatReaderDoc document(context);
    if (info.tableForm) document.SetExportForm(CDatReaderDoc::kTableForm);
    if (csv || dbf) {
        const CDatReaderDoc::StraightExport straight = csv ? document.ExportStraightToCsv(input, csvOutput)
                                                           : document.ExportStraightToDbf(input, output);
        switch (straight) {
            case CDatReaderDoc::StraightExport::Written:
                return kExitWritten;
            case CDatReaderDoc::StraightExport::OutputFailed:
                return kExitOutputFailed;
            case CDatReaderDoc::StraightExport::InputFailed:
                return InputFailed(document, input, output);
            case CDatReaderDoc::StraightExport::NotOffered:
                break;
        }
    }
    if (!document.ConvertAndLoad(input) || document.IsConversionIncomplete() || platform::Interrupted())
        return InputFailed(document, input, output);

    if (csv && info.tableForm && !HoldsDatalog(document)) {
        context.run.ReportError(strings::TableFormColumnsMissing, input);
        SayWhy(input +
               ": the table form needs a datalog table (a tag column and a Value column); nothing was "
               "written to " +
               csvOutput);
        return kExitNothingWritten;
    }
    if (csv) return document.ExportCSV(csvOutput) ? kExitWritten : kExitOutputFailed;
    if (dbf) return document.SaveAsDBF(output) ? kExitWritten : kExitOutputFailed;
    context.run.ReportError(kNothingWrittenMessage, output);
    return kExitNothingWritten;
}

}  // namespace logora
