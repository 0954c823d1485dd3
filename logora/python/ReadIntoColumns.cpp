#include "logora/python/ReadIntoColumns.h"

#include <cmath>
#include <mutex>

#include "logora/engine/context/EngineContext.h"
#include "logora/engine/dbf/ColumnRoles.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/CDatReaderDoc.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/text/CodePage.h"

namespace logora::python {

namespace {

// The settings and display options of the user, as the program reads them
// at start-up; the clamped values are said with the first read.
std::vector<std::string> LoadProgramSettingsOnce()
{
    static std::once_flag loaded;
    std::vector<std::string> notes;
    std::call_once(loaded, [&] {
        AppSettings& settings = ProgramAppSettings();
        settings.Load();
        notes = LoadAppOptions(settings);
        if (!settings.LoadFailure().empty())
            notes.push_back(settings.LoadFailure() + "; the default settings are used");
    });
    return notes;
}

std::mutex& EngineMutex()
{
    static std::mutex mutex;
    return mutex;
}

// The offsets "/tz" gives that a conversion uses (RunState::GetTimeZoneOffset).
constexpr double kWestmostHours = -12;
constexpr double kEastmostHours = 13;

// The versions the alarm switches give.
bool IsAlarmVersion(int version)
{
    return version == 1 || version == 2 || version == 3 || version == 5 || version == 6;
}

bool HoldsDatalog(const CDatReaderDoc& document)
{
    std::vector<DBFField> fields;
    for (int i = 0; i < document.GetFieldCount(); ++i) fields.push_back(document.GetField(i));
    return HasTableFormColumns(fields);
}

// The batch run's steps (RunBatch) with the columns as the output; the
// lines it would say beside the reports join them.
bool ReadCompletely(CDatReaderDoc& document, RunState& run, const std::string& path, bool tableForm,
                    ColumnArrays& columns, std::vector<std::string>& lines)
{
    switch (document.ExportStraightToRows(path, std::string(), columns)) {
        case CDatReaderDoc::StraightExport::Written:
            return true;
        case CDatReaderDoc::StraightExport::OutputFailed:
            return false;
        case CDatReaderDoc::StraightExport::InputFailed:
            if (document.GetRecordsRead() || document.IsConversionIncomplete())
                lines.push_back(path + ": the conversion stopped early");
            return false;
        case CDatReaderDoc::StraightExport::NotOffered:
            break;
    }
    if (!document.ConvertAndLoad(path) || document.IsConversionIncomplete()) {
        if (!document.GetFailureReason().empty()) lines.push_back(document.GetFailureReason());
        if (const std::optional<RecordsRead>& records = document.GetRecordsRead())
            lines.push_back(path + ": " + IncompleteText(*records));
        else if (document.IsConversionIncomplete())
            lines.push_back(path + ": the conversion stopped early");
        return false;
    }
    if (tableForm && !HoldsDatalog(document)) {
        run.ReportError(strings::TableFormColumnsMissing, path);
        lines.push_back(path + ": the table form needs a datalog table (a tag column and a Value column)");
        return false;
    }
    return document.SaveRows(std::string(), columns);
}

}  // namespace

std::string RefusedChoice(const ReadChoices& choices)
{
    if (choices.timeZoneHours &&
        !(*choices.timeZoneHours >= kWestmostHours && *choices.timeZoneHours <= kEastmostHours))
        return "tz " + std::to_string(*choices.timeZoneHours) + ": the offset lies beyond -12 to 13 hours";
    if (choices.alarmVersion != 0 && !IsAlarmVersion(choices.alarmVersion))
        return "alarm_version " + std::to_string(choices.alarmVersion) +
               " is none of 1 (/CE), 2 (/3xx), 3 (/4xx), 5 (/CE6), 6 (/6xx)";
    if (choices.codePage && !IsCodePageSupported(*choices.codePage))
        return "codepage " + std::to_string(*choices.codePage) +
               " names no code page this machine can convert";
    return {};
}

ReadOutcome ReadIntoColumns(const std::string& path, const ReadChoices& choices, ColumnArrays& columns)
{
    ReadOutcome outcome;
    if (const std::string refused = RefusedChoice(choices); !refused.empty()) {
        outcome.lines.push_back(refused);
        return outcome;
    }
    const std::lock_guard<std::mutex> oneAtATime(EngineMutex());
    outcome.lines = LoadProgramSettingsOnce();

    RunState run;
    run.EnterCommandLineMode(std::string());
    run.SetReportSink([&](std::string_view text, std::string_view detail) {
        outcome.lines.emplace_back(detail.empty() ? text : detail);
    });
    run.SetAlarmVersion(choices.alarmVersion);
    run.SetAlarmSetupPath(choices.alarmSetupPath);
    // As the command line turns "/tz<hours>" into minutes.
    if (choices.timeZoneHours)
        run.SetTimeZoneOffset(static_cast<int>(static_cast<float>(*choices.timeZoneHours) * 60.0f));
    AppOptions options = ProgramAppOptions();
    const EngineContext context{.settings = ProgramAppSettings(),
                                .options = options,
                                .run = run,
                                .codePage = choices.codePage.value_or(ActiveCodePage())};

    CDatReaderDoc document(context);
    if (choices.tableForm) document.SetExportForm(CDatReaderDoc::kTableForm);
    outcome.read =
        ReadCompletely(document, run, path, choices.tableForm, columns, outcome.lines) && columns.Complete();
    return outcome;
}

}  // namespace logora::python
