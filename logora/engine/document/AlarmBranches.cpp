// The document's branches for Zarn .OBF datalogs and Vell alarm logs.
#include <filesystem>
#include <stdexcept>

#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/document/DocumentDialogs.h"
#include "logora/engine/obf/CConvertObfToDbf.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace logora {

// The .OBF container converted with the float format in use; a container
// that cannot be converted fails the open, saying why. One that holds fewer
// records than its header announces reports "Convert log file error" and why,
// and loads what was converted.
bool CDatReaderDoc::ConvertObf(const std::string& input)
{
    return ConvertObfInto(input, nullptr);
}

// The table is the temporary table, or `sink` when given.
bool CDatReaderDoc::ConvertObfInto(const std::string& input, CDBFRecordSink* sink)
{
    CConvertObfToDbf converter(input);
    converter.SetFloatFormat(AppOptions().floatLength, AppOptions().decimalCount);
    try {
        if (sink != nullptr ? converter.Convert(*sink) : converter.Convert(temporaryTable_.Path()))
            return true;
    } catch (const std::invalid_argument& error) {
        ReportFailure(strings::ConvertLogFileError, error.what());
        conversionIncomplete_ = true;
        return true;
    }
    ReportDetail(converter.GetFailureReason());
    return false;
}

// The alarm log with its setup file, converted into the temporary table.
bool CDatReaderDoc::ConvertAlm(const std::string& input)
{
    return ConvertAlmInto(input, nullptr);
}

// At a window the alarm setup selection names both the setup file and the
// generator version (the dialog may change the current directory, which is
// restored); a batch run takes them from the command line. Without a setup
// file the log converts without tags and texts; one that is refused (no
// regular file, or too large) fails the conversion. The table is the
// temporary table, or `sink` when given.
bool CDatReaderDoc::ConvertAlmInto(const std::string& input, CDBFRecordSink* sink)
{
    std::string setupPath;
    if (!IsCommandLineMode()) {
        std::error_code error;
        const std::filesystem::path directory = std::filesystem::current_path(error);
        if (CDocumentDialogs* dialogs = DocumentDialogs())
            dialogs->SelectAlarmSetup(input, setupPath, alarmLogVersion_);
        if (!error) std::filesystem::current_path(directory, error);
    } else {
        setupPath = RunState().GetAlarmSetupPath();
        RunState().GetAlarmVersion(alarmLogVersion_);
    }
    if (setupPath.empty()) ReportError(strings::AlarmSetupNotSelected);

    // Exceptions (a table that cannot be written) end the open in RunBranch.
    CConvertAlmToDBF converter(alarmLogVersion_);
    const auto createTable = [&] {
        return sink != nullptr ? converter.CreateTable(*sink) : converter.CreateTable(temporaryTable_.Path());
    };
    if (!converter.Open(input) || !createTable()) {
        ReportFailure(strings::ConvertLogFileError, converter.GetFailureReason());
        return false;
    }
    if (!converter.LoadSetup(setupPath) && !converter.GetSetupRefusal().empty()) {
        ReportFailure(strings::ConvertLogFileError, converter.GetSetupRefusal());
        return false;
    }
    if (!converter.Convert()) {
        // The converter has said what is wrong with the log.
        ReportError(strings::ConvertLogFileError);
        return false;
    }
    return true;
}

}  // namespace logora
