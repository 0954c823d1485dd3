// The CSV export of a datalog, an alarm log or a recipe written while it
// converts. Their tables can be wide (a 255-byte tag column per Vell value,
// two 255-byte text columns per alarm, one per recipe set), and a batch run
// would write the table once and read it once: beyond the page cache, that
// writing and reading grows faster than the input. Handing each record
// straight to the exporter saves both, and the bytes of the CSV file stay
// the same.
#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/PathExtension.h"
#include "logora/engine/export/CConvertDBFToCSV.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/vell/CConvertLogToDBF.h"
#include "logora/engine/zarn/CTagNameMerger.h"
#include "platform/signals/Interrupts.h"

namespace logora {

namespace {

// Passes the records on to the exporter, giving it the converter's tag names
// first: read from the tag file, they are known once the layout is. Each
// record goes with its tag number, so that tags whose names print alike keep
// their own columns.
class TagNamesFirst : public CDBFRecordSink
{
public:
    TagNamesFirst(const CConvertLogToDBF& converter, CConvertDBFToCSV& exporter)
        : converter_(converter), exporter_(exporter)
    {}

    void BeginRecords(const CDBF& table) override
    {
        exporter_.TagList() = converter_.GetTagList();
        exporter_.BeginRecords(table);
    }
    void TakeRecord(const uint8_t* record) override
    {
        exporter_.TakeTaggedRecord(record, size_t(converter_.CurrentTagIndex()));
    }
    // The list form needs no tag numbers: its threads may build the records.
    ItemIntake* TakeItemsOf(const RecordMaking& making) override { return exporter_.TakeItemsOf(making); }

private:
    const CConvertLogToDBF& converter_;
    CConvertDBFToCSV& exporter_;
};

}  // namespace

CDatReaderDoc::StraightExport CDatReaderDoc::ExportStraightToCsv(const std::string& input,
                                                                 const std::string& output)
{
    failureReason_.clear();
    conversionIncomplete_ = false;
    const std::string extension = UpperExtensionOf(input);
    if (extension == ".LOG") return ExportLogStraight(input, output);
    if (extension == ".ALM") return ExportListStraight(input, output, &CDatReaderDoc::ConvertAlmInto);
    if (extension == ".OBF") return ExportListStraight(input, output, &CDatReaderDoc::ConvertObfInto);
    if (extension == ".RPP") return ExportListStraight(input, output, &CDatReaderDoc::ConvertRppInto);
    if (extension == ".DAT") return ExportDatStraight(input, output);
    return StraightExport::NotOffered;
}

// The table form is the usual way's, which checks the loaded table's columns
// for it (an alarm table or a recipe has none). The output is prepared before anything is
// reported, so that a refusal leaves the usual way to report in its order. A
// conversion that stopped early writes nothing, as a batch run's usual way.
CDatReaderDoc::StraightExport CDatReaderDoc::ExportListStraight(const std::string& input,
                                                                const std::string& output, SinkBranch branch)
{
    if (csvForm_ == kTableForm) return StraightExport::NotOffered;
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    CConvertDBFToCSV exporter(context_, table_.GetFloatLength(), table_.GetFloatDecimals());
    if (!exporter.PrepareOutput(output)) return StraightExport::NotOffered;
    const bool converted =
        !IsIrregularInput(input) && Converted(input, [&] { (this->*branch)(input, &exporter); });
    return FinishStraightExport(exporter, converted);
}

CDatReaderDoc::StraightExport CDatReaderDoc::FinishStraightExport(CConvertDBFToCSV& exporter,
                                                                  bool converted) const
{
    if (!converted || conversionIncomplete_ || platform::Interrupted()) {
        exporter.FinishStream(false);
        return StraightExport::InputFailed;
    }
    return exporter.FinishStream(true) ? StraightExport::Written : StraightExport::OutputFailed;
}

CDatReaderDoc::StraightExport CDatReaderDoc::ExportLogStraight(const std::string& input,
                                                               const std::string& output)
{
    if (IsIrregularInput(input)) return StraightExport::InputFailed;
    CConvertLogToDBF converter(context_);
    const bool tableForm = csvForm_ == kTableForm;
    // Opened once: the usual way would open it again and report twice.
    if (!Converted(input, [&] { converter.OpenLog(input); })) return StraightExport::InputFailed;
    // Without a tag file the table form's columns are known only at the end.
    if (tableForm && !converter.IsTagFileOpen()) return StraightExport::NotOffered;

    // The float format the loaded table would pass on to the export.
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    CConvertDBFToCSV exporter(context_, table_.GetFloatLength(), table_.GetFloatDecimals());
    // The usual way reports a faulty input before an output it cannot make.
    if (!exporter.PrepareOutput(output)) return StraightExport::NotOffered;
    exporter.SetStreamedForm(tableForm);
    csvForm_ = kListForm;

    PrepareLogTimeZone();
    TagNamesFirst sink(converter, exporter);
    const bool converted = Converted(input, [&] {
        converter.CreateTable(sink);
        converter.Convert();
    });
    return FinishStraightExport(exporter, converted);
}

// A Zarn data file merged with its tag file; without a usable tag file the
// data file itself is the table, which the usual way exports. The table form
// takes its columns from the tag file; a merged table that lacks its columns
// is left to the usual way, which says so.
CDatReaderDoc::StraightExport CDatReaderDoc::ExportDatStraight(const std::string& input,
                                                               const std::string& output)
{
    if (IsIrregularInput(input)) return StraightExport::InputFailed;
    CTagNameMerger merger(context_.run.MappingErrors());
    if (!merger.Open(input)) return StraightExport::NotOffered;
    const bool tableForm = csvForm_ == kTableForm;
    if (tableForm && !HasTableFormColumns(merger.GetFields())) return StraightExport::NotOffered;

    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    CConvertDBFToCSV exporter(context_, table_.GetFloatLength(), table_.GetFloatDecimals());
    if (!exporter.PrepareOutput(output) || !merger.CreateOutput(exporter)) return StraightExport::NotOffered;
    exporter.SetStreamedForm(tableForm);
    exporter.TagList() = merger.GetTagNames();
    csvForm_ = kListForm;
    return FinishStraightExport(exporter, Converted(input, [&] { merger.Convert(); }));
}

}  // namespace logora
