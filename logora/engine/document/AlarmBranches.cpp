// The document's branches for Zarn .OBF datalogs and Vell alarm logs.
#include <filesystem>

#include "logora/engine/alarm/CConvertAlmToDBF.h"
#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
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
void CDatReaderDoc::ConvertObf(const std::string& input)
{
    ConvertObfInto(input, nullptr);
}

// The table is the temporary table, or `sink` when given.
void CDatReaderDoc::ConvertObfInto(const std::string& input, CDBFRecordSink* sink)
{
    CConvertObfToDbf converter(context_, input);
    converter.SetFloatFormat(context_.options.floatLength, context_.options.decimalCount);
    if (sink != nullptr)
        converter.Convert(*sink);
    else
        converter.Convert(temporaryTable_.Path());
}

// The alarm log with its setup file, converted into the temporary table.
void CDatReaderDoc::ConvertAlm(const std::string& input)
{
    ConvertAlmInto(input, nullptr);
}

// At a window the alarm setup selection names both the setup file and the
// generator version (the dialog may change the current directory, which is
// restored); a batch run takes them from the command line. Without a setup
// file the log converts without tags and texts; one that is refused (no
// regular file, or too large) fails the conversion. The table is the
// temporary table, or `sink` when given.
void CDatReaderDoc::ConvertAlmInto(const std::string& input, CDBFRecordSink* sink)
{
    std::string setupPath;
    if (!context_.IsCommandLineMode()) {
        std::error_code error;
        const std::filesystem::path directory = std::filesystem::current_path(error);
        if (CDocumentDialogs* dialogs = context_.Dialogs())
            dialogs->SelectAlarmSetup(input, setupPath, alarmLogVersion_);
        if (!error) std::filesystem::current_path(directory, error);
    } else {
        setupPath = context_.run.GetAlarmSetupPath();
        context_.run.GetAlarmVersion(alarmLogVersion_);
    }
    if (setupPath.empty()) context_.run.ReportError(strings::AlarmSetupNotSelected);

    CConvertAlmToDBF converter(context_, alarmLogVersion_);
    converter.Open(input);
    if (sink != nullptr)
        converter.CreateTable(*sink);
    else
        converter.CreateTable(temporaryTable_.Path());
    converter.LoadSetup(setupPath);
    converter.Convert();
}

}  // namespace logora
