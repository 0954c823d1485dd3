#pragma once
// One opened log file. Opening picks a converter by the file's extension,
// lets it write a temporary dBASE table, or read the table in place of the
// input where its format can, and loads that table; from then on the
// document answers the views (record count, fields, cell texts, trend
// samples) and saves the table as CSV or plain dBASE. The temporary table is
// deleted when the document closes or is destroyed. Everything the document
// and its converters need from the run comes from the context it is handed;
// a conversion's failure is caught and reported in one place here.

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "logora/engine/dbf/CConvertDATToDBF.h"
#include "logora/engine/document/RecordsRead.h"
#include "logora/engine/document/TemporaryTable.h"
#include "logora/engine/document/TrendLoader.h"
#include "logora/engine/document/TrendSamples.h"
#include "logora/engine/follow/InputFollower.h"
#include "logora/engine/formats/InputFormats.h"
#include "logora/engine/largefile/MadeFiles.h"
#include "logora/engine/run/ControlProcess.h"

namespace logora {

class Converter;
class DocumentTrendSteps;
class FollowedConversion;
class InPlaceTable;
class InputFollower;
class OutputSink;
class RowWriter;
struct EngineContext;

class CDatReaderDoc
{
public:
    static constexpr int kListForm = 1;
    static constexpr int kTableForm = 2;

    // `context` outlives the document.
    explicit CDatReaderDoc(const EngineContext& context);
    ~CDatReaderDoc();
    CDatReaderDoc(const CDatReaderDoc&) = delete;
    CDatReaderDoc& operator=(const CDatReaderDoc&) = delete;

    // Checks that the file can be read, then ConvertAndLoad.
    bool OnOpenDocument(const std::string& path);
    bool ConvertAndLoad(const std::string& path);
    // A new document of this one's input, converted again with what it needs
    // chosen asked anew (a datalog's destination time zone). Null when that
    // fails (GetFailureReason as of an open); this document stays as it was
    // either way, and open until it ends.
    std::unique_ptr<CDatReaderDoc> ConvertedAgain();
    // Closes the table and deletes the temporary table.
    void OnCloseDocument();

    const std::string& GetPathName() const { return pathName_; }
    // Why the last open failed when no message was reported for it (an
    // unsupported extension, a document already open); empty otherwise.
    // Every other failure was reported with the file and what is wrong.
    const std::string& GetFailureReason() const { return failureReason_; }
    // True when the conversion stopped early ("Convert log file error" was
    // reported with the reason) or was cancelled, or the table holds fewer
    // records than it announces: the table holds only the records read.
    bool IsConversionIncomplete() const { return conversionIncomplete_ || recordsRead_.has_value(); }
    // The records the loaded table holds of those announced, when fewer.
    const std::optional<RecordsRead>& GetRecordsRead() const { return recordsRead_; }

    int64_t GetRecordCount() const { return table_.GetRecordCount(); }
    // Leaves `text` unchanged for a record at or beyond the record count.
    void GetValue(int64_t record, int field, std::string& text);
    CConvertDATToDBF& GetTable() { return table_; }
    int GetFieldCount() const { return table_.GetFieldCount(); }
    // The code page of the table's texts.
    int GetCodePage() const;
    DBFField GetField(int index) const { return table_.GetField(index); }

    // Whether the loaded table has the shape of a datalog, which the trend
    // plot reads; IsPlottable is that answer as it was when the table loaded.
    bool IsTrendTable() const;
    bool IsPlottable() const { return plottable_; }
    bool HasTagNames() const { return tagNames_; }
    // Rebuilds the samples from the table; keeps the tag map. The values of
    // pens from `pensKept` on are left out (a chart shows only so many);
    // their samples stay, with 0.0 for the kept pens without a value.
    void LoadTrendData(ControlProcess& progress, size_t pensKept = SIZE_MAX);
    // The same over the listed records only (ascending record numbers, as
    // a filter keeps them in file order).
    void LoadTrendRecords(ControlProcess& progress, const std::vector<uint32_t>& records,
                          size_t pensKept = SIZE_MAX);
    // The steps that build samples of the document into `samples`, pens
    // numbered by `pens`, as LoadTrendData and LoadTrendRecords build them;
    // for every record when `records` is null.
    DocumentTrendSteps TrendStepsFor(TagPens& pens, TrendSamples& samples, size_t pensKept,
                                     const std::vector<uint32_t>* records);
    TrendSamples& GetSamples() { return samples_; }
    const std::map<std::string, int32_t>& GetTagMap() const { return tagPens_.map; }
    const std::vector<std::string>& GetTagList() const { return tagList_; }

    // 1 or 2 select the CSV form and return false; anything else selects the
    // list form and returns true.
    bool SetExportForm(int form);
    int GetExportForm() const { return csvForm_; }
    // The next ExportCSV or SaveAsDBF writes only these records, in this
    // order (the viewer's filtered records); later saves write every record.
    void SetSavedRecords(std::vector<uint32_t> records) { savedRecords_ = std::move(records); }
    // The next list-form ExportCSV or SaveRows writes only these fields, in
    // this order (the viewer's shown columns); later saves write every field.
    void SetSavedColumns(std::vector<int> fields) { savedColumns_ = std::move(fields); }
    // Both write to a temporary file beside `path` and rename it into place
    // when complete; false (reported) when nothing was written.
    bool ExportCSV(const std::string& path);
    bool SaveAsDBF(const std::string& path);

    // A batch run's CSV export without the temporary table, for the formats
    // that can stream the chosen form (InputFormat): the records go from the
    // converter straight into the CSV file, with the bytes, messages and
    // outcome of ConvertAndLoad and ExportCSV in the chosen form. NotOffered
    // (nothing done, nothing reported) for other inputs, a Zarn datalog
    // without a usable tag file, the table form of a Vell datalog without a
    // tag file, or an output that cannot be created; the usual way then runs
    // and reports. An input that cannot be converted is InputFailed
    // (reported). The document stays without a table.
    enum class StraightExport { NotOffered, Written, InputFailed, OutputFailed };
    StraightExport ExportStraightToCsv(const std::string& input, const std::string& output);
    // The same for a plain dBASE output, with the bytes and outcome of
    // ConvertAndLoad and SaveAsDBF.
    StraightExport ExportStraightToDbf(const std::string& input, const std::string& output);
    // The same for an output that keeps types (a workbook, a database): the
    // rows of the chosen CSV form go to `writer`, with the values the CSV
    // shows. A failed output is reported with the writer's reason.
    StraightExport ExportStraightToRows(const std::string& input, const std::string& output,
                                        RowWriter& writer);
    // Saves the loaded table's rows in the chosen CSV form, like ExportCSV,
    // through `writer` to its output at `path`; false (reported) when nothing
    // was written.
    bool SaveRows(const std::string& path, RowWriter& writer);

    // Whether the next opens outside a batch run read a table in place of
    // the input, where its format can, instead of converting it into a
    // temporary table first (the default).
    void SetReadInPlace(bool inPlace) { readInPlace_ = inPlace; }
    // True when the loaded table is read in place of its input.
    bool IsReadInPlace() const { return inPlace_ != nullptr; }

    // What following the input found since the last look.
    struct FollowStep
    {
        // Cancelled: the copy of a table read in place, which following
        // begins with, was stopped; the table stays in place, not followed.
        enum class Kind { Nothing, Added, Moved, Cancelled };
        Kind kind = Kind::Nothing;
        int64_t added = 0;  // the records the table gained, before a move too
        std::string why;    // Moved: what happened to the input, naming it
    };
    // True for a complete open of an input whose format can be followed.
    bool CanFollow() const { return follower_ != nullptr; }
    // Takes the records the input gained since it was opened or last looked
    // at into the table, built as its conversion built the others:
    // GetRecordCount grows, and the trend samples take them at the next
    // LoadTrendData. Moved once what was read is no longer there (a ring that
    // wrapped past it, a file that shrank or was replaced) or a new record
    // cannot be converted; then nothing is taken any more, and the way on is
    // to open the input again.
    FollowStep TakeNewRecords();

private:
    // Notes what of `input` was read, for TakeNewRecords.
    void BeginFollowing(const InputFormat& format, const std::string& input);
    // Appends the converted records of `growth` to the temporary table;
    // empty when done, otherwise why not.
    std::string AppendFollowed(const InputGrowth& growth);
    // The samples of every record, or of the listed ones.
    void LoadTrend(ControlProcess& progress, size_t pensKept, const std::vector<uint32_t>* records);
    // Makes the table of `converter` read in place of `input` the table to
    // load; false when its format cannot.
    bool ReadInPlace(Converter& converter, const std::string& input);
    // The table read in place copied into the temporary table, which is
    // loaded instead, for following its input. Empty when done, otherwise why
    // not.
    std::string CopyInPlaceTable(ControlProcess& progress);
    // Converts `input` into the temporary table, or points tableToLoad_ at
    // the file to load.
    void ConvertToTemporaryTable(const InputFormat& format, const std::string& input);
    // What the conversion of `input` needs chosen first (at a window, or
    // taken from the command line in a batch run).
    ConversionChoices Choose(const InputFormat& format, const std::string& input);
    void ChooseTimeZone();
    void ChooseAlarmSetup(const std::string& input, ConversionChoices& choices);
    // The conversion of `input` straight into `sink`, whose output is `output`.
    StraightExport ExportStraight(const std::string& input, const std::string& output, OutputSink& sink);

    // Runs `conversion` of `input`, the one place where its failure is caught
    // and reported. False when nothing may be loaded; a conversion that
    // stopped part way is incomplete and true.
    bool Converted(const std::string& input, const std::function<void()>& conversion);
    // Notes a loaded table that holds fewer records than it announces, and
    // reports it when it is the input itself.
    void NoteMissingRecords(const std::string& input);
    // True (reported) when the input exists but is no regular file.
    bool IsIrregularInput(const std::string& path) const;

    const EngineContext& context_;
    bool plottable_ = false;
    bool tagNames_ = false;
    CConvertDATToDBF table_;
    TrendSamples samples_;
    TagPens tagPens_;
    std::vector<std::string> tagList_;
    // Each record's tag index when tag names alone cannot tell the tags
    // apart; empty otherwise.
    std::vector<uint16_t> recordTags_;
    TemporaryTable temporaryTable_;
    std::string tableToLoad_;
    bool readInPlace_ = true;
    // The table read in place of the input, and the name it is loaded by.
    std::shared_ptr<InPlaceTable> inPlace_;
    MadeFile inPlaceName_;
    // What was chosen for the last conversion: the next one's presets.
    ConversionChoices choices_;
    int csvForm_ = kListForm;
    std::optional<std::vector<uint32_t>> savedRecords_;
    std::optional<std::vector<int>> savedColumns_;

    std::string pathName_;
    std::string failureReason_;
    bool conversionIncomplete_ = false;
    std::optional<RecordsRead> recordsRead_;

    // The converter's HeaderRead of the last conversion.
    std::vector<uint8_t> followFrom_;
    std::unique_ptr<InputFollower> follower_;
    // The converter that made the temporary table, kept for the records the
    // input gains while it can be followed.
    std::unique_ptr<FollowedConversion> followedConversion_;
    // Why following stopped; empty while it goes on.
    std::string followStopped_;
};

}  // namespace logora
