// The document's conversion of an input into its temporary table: the format
// picked from the table of input formats, what it needs chosen first, and one
// road for every converter.
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/convert/Conversion.h"
#include "logora/engine/convert/Converter.h"
#include "logora/engine/dbf/MadeTable.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentDialogs.h"
#include "logora/engine/document/DocumentRegistry.h"
#include "logora/engine/document/FollowedConversion.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"

namespace logora {

// A table is loaded as it is, and so is a Zarn data file without a usable tag
// file. The tag names become the columns of the table form; those read from
// a tag file are kept when the conversion stops early. The converter of an
// input that can be followed is kept for the records still to come.
void CDatReaderDoc::ConvertToTemporaryTable(const InputFormat& format, const std::string& input)
{
    if (format.makeConverter == nullptr) {
        tableToLoad_ = input;
        return;
    }
    std::unique_ptr<Converter> converter = format.makeConverter(context_, Choose(format, input));
    converter->KeepRecordTagsWhenNamesAlike(&recordTags_);
    if (!converter->Open(input)) {
        tableToLoad_ = input;
        return;
    }
    tagNames_ = converter->HasTagFile();
    tagList_ = converter->TagNames();
    // A batch run keeps the temporary table its outputs were measured with.
    if (!readInPlace_ || context_.IsCommandLineMode() || !ReadInPlace(*converter, input))
        ConvertToTableFile(*converter, temporaryTable_.Path(), context_.run.MappingErrors());
    tagList_ = converter->TagNames();
    followFrom_ = converter->HeaderRead();
    // Records the input gains are made as these were, in the same zone and
    // with the same tag names.
    if (format.makeFollower != nullptr)
        followedConversion_ = std::make_unique<FollowedConversion>(std::move(converter));
}

// A table read in place is loaded by a name of its own; it holds the
// records read before a fault, as the table file would.
bool CDatReaderDoc::ReadInPlace(Converter& converter, const std::string& input)
{
    std::shared_ptr<InPlaceTable> table;
    const auto publish = [&] {
        if (table == nullptr) return;
        inPlace_ = table;
        // Another document of the input may be reading it in place too.
        inPlaceName_.Publish(input + " (read in place)", [table] { return table->OpenReader(); });
        tableToLoad_ = inPlaceName_.Name();
    };
    try {
        if (!converter.ReadInPlace(table)) return false;
    } catch (...) {
        publish();
        throw;
    }
    publish();
    return true;
}

std::unique_ptr<CDatReaderDoc> CDatReaderDoc::ConvertedAgain()
{
    auto again = std::make_unique<CDatReaderDoc>(context_);
    // Both documents hold the input while the new one converts it.
    ProgramDocumentRegistry().Remove(this);
    if (again->OnOpenDocument(pathName_)) return again;
    ProgramDocumentRegistry().Add(this, pathName_);
    failureReason_ = again->GetFailureReason();
    return nullptr;
}

// The last choices are the next ones' presets.
ConversionChoices CDatReaderDoc::Choose(const InputFormat& format, const std::string& input)
{
    if (format.needsTimeZone) ChooseTimeZone();
    if (format.needsAlarmSetup) ChooseAlarmSetup(input, choices_);
    return choices_;
}

// At a window the user confirms or changes "DestTimeZone" (cancelling keeps
// it); a batch run uses the "/tz" offset.
void CDatReaderDoc::ChooseTimeZone()
{
    if (!context_.IsCommandLineMode()) {
        int index = context_.settings.DestTimeZone();
        DocumentDialogs* dialogs = context_.Dialogs();
        if (dialogs && dialogs->ChooseTimeZone(index)) {
            context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, index);
        }
    } else {
        LoadTimeZoneTable();
    }
}

// At a window the alarm setup selection names both the setup file and the
// generator version; a batch run takes them from the command line. Without a
// setup file the log converts without tags and texts.
void CDatReaderDoc::ChooseAlarmSetup(const std::string& input, ConversionChoices& choices)
{
    if (!context_.IsCommandLineMode()) {
        choices.alarmSetupPath.clear();
        if (DocumentDialogs* dialogs = context_.Dialogs())
            dialogs->SelectAlarmSetup(input, choices.alarmSetupPath, choices.alarmVersion);
    } else {
        choices.alarmSetupPath = context_.run.GetAlarmSetupPath();
        context_.run.GetAlarmVersion(choices.alarmVersion);
    }
    if (choices.alarmSetupPath.empty()) context_.run.ReportError(strings::AlarmSetupNotSelected);
}

}  // namespace logora
