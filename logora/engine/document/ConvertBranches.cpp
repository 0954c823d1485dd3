// The conversion branches of the document, one per input kind, and the table
// that picks them by the upper-cased extension. An extension without a branch
// is refused.
#include <algorithm>
#include <string_view>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentDialogs.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/CAppSettings.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "logora/engine/vell/CConvertLogToDBF.h"
#include "logora/engine/zarn/CTagNameMerger.h"

namespace logora {

CDatReaderDoc::Branch CDatReaderDoc::BranchFor(const std::string& upperExtension)
{
    struct Entry
    {
        std::string_view extension;
        Branch branch;
    };
    // clang-format off
    static const Entry kBranches[] = {
        {".DAT", &CDatReaderDoc::ConvertDat},
        {".LOG", &CDatReaderDoc::ConvertLog},
        {".DBF", &CDatReaderDoc::LoadDbf},
        {".OBF", &CDatReaderDoc::ConvertObf},
        {".ALM", &CDatReaderDoc::ConvertAlm},
        {".RPP", &CDatReaderDoc::ConvertRpp},
    };
    // clang-format on
    const auto found = std::find_if(std::begin(kBranches), std::end(kBranches),
                                    [&](const Entry& entry) { return entry.extension == upperExtension; });
    return found == std::end(kBranches) ? nullptr : found->branch;
}

// The merge with the tag file; without a usable tag file the data file itself
// is loaded. A merge that stops early at a faulty record reports "Convert log
// file error" and why, and loads what was merged; one whose table cannot be
// written fails. The tag names become the columns of the table form.
void CDatReaderDoc::ConvertDat(const std::string& input)
{
    CTagNameMerger merger(context_.run.MappingErrors());
    if (!merger.Open(input) || !merger.CreateOutput(temporaryTable_.Path())) {
        tableToLoad_ = input;
        return;
    }
    // Read from the tag file, so kept when the merge stops early.
    tagNames_ = true;
    tagList_ = merger.GetTagNames();
    merger.Convert();
}

// The Vell datalog, its time stamps shifted into the destination time zone:
// at a window the user confirms or changes "DestTimeZone" first (cancelling
// keeps it); a batch run uses the "/tz" offset. A record with an unknown tag
// or a corrupt ring reports "Convert log file error" and loads what was
// converted.
void CDatReaderDoc::ConvertLog(const std::string& input)
{
    PrepareLogTimeZone();
    CConvertLogToDBF converter(context_);
    converter.KeepRecordTagsWhenNamesAlike(&recordTags_);
    converter.OpenLog(input);
    tagNames_ = converter.IsTagFileOpen();
    converter.CreateTable(temporaryTable_.Path());
    converter.Convert();
    tagList_ = converter.GetTagList();
}

void CDatReaderDoc::PrepareLogTimeZone()
{
    if (!context_.IsCommandLineMode()) {
        int index = context_.settings.DestTimeZone();
        CDocumentDialogs* dialogs = context_.Dialogs();
        if (dialogs && dialogs->ChooseTimeZone(index)) {
            context_.settings.WriteProfileInt(settings::kOptions, settings::kDestTimeZone, index);
        }
    } else {
        LoadTimeZoneTable();
    }
}

void CDatReaderDoc::LoadDbf(const std::string& input)
{
    tableToLoad_ = input;
}

// The recipe's ingredients; a failure ends the open.
void CDatReaderDoc::ConvertRpp(const std::string& input)
{
    ConvertRppInto(input, nullptr);
}

// The table is the temporary table, or `sink` when given.
void CDatReaderDoc::ConvertRppInto(const std::string& input, CDBFRecordSink* sink)
{
    CConvertRppToDBF converter(context_);
    converter.Open(input);
    if (sink != nullptr)
        converter.CreateTable(*sink);
    else
        converter.CreateTable(temporaryTable_.Path());
    converter.Convert();
}

}  // namespace logora
