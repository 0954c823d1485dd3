// Outputs that keep types, a workbook or a database: the rows of the CSV
// forms, written while the input converts or from the loaded table.
#include <optional>
#include <utility>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/export/ColumnPlan.h"
#include "logora/engine/export/TagTexts.h"
#include "logora/engine/rows/RowWriter.h"
#include "logora/engine/rows/TypedRowSink.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

namespace {

constexpr std::string_view kSaveRowsCaption = "Save File As";

}  // namespace

CDatReaderDoc::StraightExport CDatReaderDoc::ExportStraightToRows(const std::string& input,
                                                                  const std::string& output,
                                                                  RowWriter& writer)
{
    table_.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    TypedRowSink sink(context_, writer, table_.GetFloatLength(), table_.GetFloatDecimals());
    sink.SetTableForm(csvForm_ == kTableForm);
    const StraightExport outcome = ExportStraight(input, output, sink);
    if (outcome != StraightExport::NotOffered) csvForm_ = kListForm;
    if (outcome == StraightExport::OutputFailed)
        context_.run.ReportFailure(strings::OutputCannotBeWritten, output, sink.Failure());
    return outcome;
}

bool CDatReaderDoc::SaveRows(const std::string& path, RowWriter& writer)
{
    auto progress = context_.OpenProgress(std::string(kSaveRowsCaption),
                                          FormatString(strings::ConvertingFile, pathName_));
    const bool tableForm = std::exchange(csvForm_, kListForm) == kTableForm;
    const std::optional<std::vector<uint32_t>> subset = std::exchange(savedRecords_, std::nullopt);
    const std::optional<std::vector<int>> columns = std::exchange(savedColumns_, std::nullopt);

    CDBF source;
    if (!source.OpenRead(table_.GetPath()) || !source.ReadFieldDescriptors() ||
        source.GetRecordLength() < 1) {
        context_.run.ReportError(strings::TableCannotBeOpened, table_.GetPath());
        return false;
    }
    // An incomplete table is saved with the records it holds.
    const int64_t held = std::min(source.GetRecordCount(), table_.GetRecordCount());
    const int64_t count = subset ? int64_t(subset->size()) : held;
    auto recordAt = [&](int64_t index) { return subset ? int64_t((*subset)[size_t(index)]) : index; };
    auto read = [&](int64_t index, const uint8_t** record) {
        if (source.ReadRecord(recordAt(index), record) && *record != nullptr) return true;
        context_.run.ReportError(strings::TableEndsEarly, table_.GetPath());
        return false;
    };

    TypedRowSink sink(context_, writer, table_.GetFloatLength(), table_.GetFloatDecimals());
    sink.SetTableForm(tableForm);
    if (columns) sink.SetColumnChoice(&*columns);
    std::vector<std::string> tags = tagList_;
    if (tableForm && tags.empty()) {
        const ColumnPlan plan = PlanColumns(source, table_.GetFloatLength(), table_.GetFloatDecimals());
        if (!CollectTagTexts(plan, count, table_.GetFloatLength(), table_.GetFloatDecimals(), read, tags))
            return false;
    }
    if (!sink.Prepare(path)) {
        context_.run.ReportFailure(strings::OutputCannotBeCreated, path, writer.Failure());
        return false;
    }
    sink.TakeTagNames(tags);
    sink.BeginRecords(source);
    const bool byRecordTags = int64_t(recordTags_.size()) == held;
    bool complete = true;
    for (int64_t index = 0; index < count && complete; ++index) {
        const uint8_t* record = nullptr;
        complete = read(index, &record);
        if (!complete) break;
        const int64_t at = recordAt(index);
        sink.TakeTaggedRecord(record, byRecordTags ? recordTags_[size_t(at)] : DBFRecordSink::kTagByName);
        progress->SetProgress(static_cast<uint32_t>(count), static_cast<uint32_t>(index + 1));
        if (progress->IsCancelled()) complete = false;
    }
    if (sink.Finish(complete)) return true;
    if (progress->IsCancelled()) {
        progress.reset();
        context_.run.ReportError(strings::SaveCancelled, path);
    } else if (complete) {
        context_.run.ReportFailure(strings::OutputCannotBeWritten, path, sink.Failure());
    }
    return false;
}

}  // namespace logora
