#include "logora/engine/cmdline/RunBatch.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/StandardOutputName.h"
#include "logora/engine/formats/InputFormats.h"
#include "logora/engine/formats/PathExtension.h"
#include "logora/engine/outputs/OutputFormats.h"
#include "logora/engine/rows/RowWriter.h"
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

// The conversion straight into the output, where the input's format and the
// output allow it.
CDatReaderDoc::StraightExport ExportStraight(CDatReaderDoc& document, OutputKind kind,
                                             const std::string& input, const std::string& output,
                                             RowWriter* writer)
{
    switch (kind) {
        case OutputKind::Csv:
            return document.ExportStraightToCsv(input, output);
        case OutputKind::Dbf:
            return document.ExportStraightToDbf(input, output);
        case OutputKind::Workbook:
        case OutputKind::Database:
            break;
    }
    return document.ExportStraightToRows(input, output, *writer);
}

bool SaveLoaded(CDatReaderDoc& document, OutputKind kind, const std::string& output, RowWriter* writer)
{
    switch (kind) {
        case OutputKind::Csv:
            return document.ExportCSV(output);
        case OutputKind::Dbf:
            return document.SaveAsDBF(output);
        case OutputKind::Workbook:
        case OutputKind::Database:
            break;
    }
    return document.SaveRows(output, *writer);
}

}  // namespace

int RunBatch(const CFileViewerCmdLineInfo& info, const EngineContext& context)
{
    const std::string& input = info.fileParameters.front();
    const std::string& named = info.fileParameters.back();
    const bool toStandardOutput = IsStandardOutputName(named);
    const std::string output = ExtensionOf(named).empty() && !toStandardOutput ? named + ".csv" : named;
    // Standard output takes the CSV.
    const OutputFormat* format = FindOutputFormat(toStandardOutput ? std::string("-.csv") : named);
    if (format != nullptr && !format->available) {
        context.run.ReportDetail(named + ": nothing was written; this build of logora cannot write " +
                                 std::string(format->name) + " files");
        return kExitNothingWritten;
    }
    std::unique_ptr<RowWriter> writer;
    if (format != nullptr) {
        const InputFormat* inputFormat = FindInputFormat(input);
        const OutputOrigin origin{input, inputFormat ? std::string(inputFormat->name) : std::string()};
        writer = format->kind == OutputKind::Database && context.run.AddsTableToDatabase()
                     ? MakeTableIntoDatabase(origin)
                     : MakeRowWriter(format->kind, origin);
    }

    CDatReaderDoc document(context);
    if (info.tableForm) document.SetExportForm(CDatReaderDoc::kTableForm);
    if (format != nullptr) {
        switch (ExportStraight(document, format->kind, input, output, writer.get())) {
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
    if (format == nullptr) {
        context.run.ReportError(kNothingWrittenMessage, named);
        return kExitNothingWritten;
    }
    if (format->kind != OutputKind::Dbf && info.tableForm && !HoldsDatalog(document)) {
        context.run.ReportError(strings::TableFormColumnsMissing, input);
        SayWhy(input +
               ": the table form needs a datalog table (a tag column and a Value column); nothing was "
               "written to " +
               output);
        return kExitNothingWritten;
    }
    return SaveLoaded(document, format->kind, output, writer.get()) ? kExitWritten : kExitOutputFailed;
}

}  // namespace logora
