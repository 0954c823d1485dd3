// The export of an input written while it converts, in CSV or as a plain
// dBASE table. Tables can be wide (a 255-byte tag column per Vell value, two
// 255-byte text columns per alarm, one per recipe set), and a batch run would
// write the table once and read it once: beyond the page cache, that writing
// and reading grows faster than the input. The conversion's road is the same
// as into the temporary table, with the output as its record sink, and the
// bytes of the output stay the same.
#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/convert/Converter.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/export/PlainTableWriter.h"
#include "logora/engine/run/RunState.h"
#include "platform/signals/Interrupts.h"

namespace logora {

CDatReaderDoc::StraightExport CDatReaderDoc::ExportStraightToCsv(const std::string& input,
                                                                 const std::string& output)
{
    // The float format the loaded table would pass on to the export.
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    CConvertDBFToCSV exporter(context_, table_.GetFloatLength(), table_.GetFloatDecimals());
    exporter.SetStreamedForm(csvForm_ == kTableForm);
    const StraightExport outcome = ExportStraight(input, output, exporter);
    if (outcome != StraightExport::NotOffered) csvForm_ = kListForm;
    return outcome;
}

CDatReaderDoc::StraightExport CDatReaderDoc::ExportStraightToDbf(const std::string& input,
                                                                 const std::string& output)
{
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    PlainTableWriter writer(context_.run.MappingErrors(), table_.GetFloatLength(), table_.GetFloatDecimals());
    writer.ReportWriteFailuresTo(context_.run);
    return ExportStraight(input, output, writer);
}

// Anything that would make the usual way report otherwise is left to it
// (NotOffered, before anything was reported): an output that cannot be
// created, a Zarn data file without a usable tag file, a table form whose
// columns are known only at the end (or, for a table of another shape, never:
// the usual way says so). An input refused is reported here once; a
// conversion that stopped early writes nothing, as a batch run's usual way.
CDatReaderDoc::StraightExport CDatReaderDoc::ExportStraight(const std::string& input,
                                                            const std::string& output, OutputSink& sink)
{
    failureReason_.clear();
    conversionIncomplete_ = false;
    const InputFormat* format = FindInputFormat(input);
    const bool tagColumns = sink.NeedsTagColumnsFirst();
    if (format == nullptr || !format->streams || (tagColumns && !format->streamsTableForm))
        return StraightExport::NotOffered;
    if (IsIrregularInput(input)) return StraightExport::InputFailed;
    if (!sink.Prepare(output)) return StraightExport::NotOffered;

    std::unique_ptr<Converter> converter;
    bool opened = false;
    if (!Converted(input, [&] {
            converter = format->makeConverter(context_, Choose(*format, input));
            opened = converter->Open(input);
        }))
        return StraightExport::InputFailed;
    if (!opened || (tagColumns && !converter->TableFormKnownBeforeRecords()))
        return StraightExport::NotOffered;

    const bool converted = Converted(input, [&] { ConvertToSink(*converter, sink); });
    if (!converted || conversionIncomplete_ || platform::Interrupted()) {
        sink.Finish(false);
        return StraightExport::InputFailed;
    }
    return sink.Finish(true) ? StraightExport::Written : StraightExport::OutputFailed;
}

}  // namespace logora
