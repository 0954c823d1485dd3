// The conversion branches of the document, one per input kind, and the table
// that picks them by the upper-cased extension. An extension without a branch
// is refused.
#include <algorithm>
#include <stdexcept>
#include <string_view>

#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentDialogs.h"
#include "logora/engine/recipe/CConvertRppToDBF.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
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
bool CDatReaderDoc::ConvertDat(const std::string& input)
{
    CTagNameMerger merger;
    if (!merger.Open(input) || !merger.CreateOutput(temporaryTable_.Path())) {
        tableToLoad_ = input;
        return true;
    }
    try {
        merger.Convert();
    } catch (const ZarnMergeError& error) {
        ReportFailure(strings::ConvertLogFileError, error.what());
        conversionIncomplete_ = true;
    }
    tagNames_ = true;
    tagList_ = merger.GetTagNames();
    return true;
}

// The Vell datalog, its time stamps shifted into the destination time zone:
// at a window the user confirms or changes "DestTimeZone" first (cancelling
// keeps it); a batch run uses the "/tz" offset. A record with an unknown tag
// or a corrupt ring reports "Convert log file error" and loads what was
// converted.
bool CDatReaderDoc::ConvertLog(const std::string& input)
{
    PrepareLogTimeZone();
    CConvertLogToDBF converter;
    converter.KeepRecordTagsWhenNamesAlike(&recordTags_);
    try {
        if (!converter.OpenLog(input) || !converter.CreateTable(temporaryTable_.Path()) ||
            !converter.Convert()) {
            ReportFailure(strings::ConvertLogFileError, converter.GetFailureReason());
            return false;
        }
        tagList_ = converter.GetTagList();
    } catch (const std::invalid_argument& error) {
        ReportFailure(strings::ConvertLogFileError, error.what());
        conversionIncomplete_ = true;
    }
    tagNames_ = converter.IsTagFileOpen();
    return true;
}

void CDatReaderDoc::PrepareLogTimeZone()
{
    if (!IsCommandLineMode()) {
        int index = AppSettings().DestTimeZone();
        CDocumentDialogs* dialogs = DocumentDialogs();
        if (dialogs && dialogs->ChooseTimeZone(index)) {
            AppSettings().WriteProfileInt(settings::kOptions, settings::kDestTimeZone, index);
        }
    } else {
        LoadTimeZoneTable();
    }
}

bool CDatReaderDoc::LoadDbf(const std::string& input)
{
    tableToLoad_ = input;
    return true;
}

// The recipe's ingredients; a failure ends the open, the converter having
// shown its own message where there is one.
bool CDatReaderDoc::ConvertRpp(const std::string& input)
{
    return ConvertRppInto(input, nullptr);
}

// The table is the temporary table, or `sink` when given.
bool CDatReaderDoc::ConvertRppInto(const std::string& input, CDBFRecordSink* sink)
{
    CConvertRppToDBF converter;
    if (!converter.Open(input)) return false;
    const bool created =
        sink != nullptr ? converter.CreateTable(*sink) : converter.CreateTable(temporaryTable_.Path());
    return created && converter.Convert();
}

}  // namespace logora
