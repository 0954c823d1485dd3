#pragma once
// The run state: whether the program runs unattended from its command line,
// where its error log goes, how failures are reported, and the values only the
// command line can supply (alarm log version, alarm setup file, destination
// time offset). Written during start-up only, then read. The program has one,
// which the engine reaches through its context.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>

#include "logora/engine/largefile/MappingErrorSink.h"

namespace logora {

// Shows one message to the user at a window: caption and text. The viewer
// installs a message box; until then messages go to standard error.
using MessageBoxSink = std::function<void(std::string_view caption, std::string_view text)>;
// Takes one report of command-line mode: its text and its detail (the file
// and what is wrong; may be empty).
using ReportSink = std::function<void(std::string_view text, std::string_view detail)>;

class RunState
{
public:
    RunState();

    // Sets command-line mode (for good) and computes the error log path from
    // the running program's path: beside the program, or in the user's state
    // folder when the program's folder cannot be written (found by a probe,
    // or by the first write that fails).
    void EnterCommandLineMode();
    // The same for a given program path (tests, and callers that know it).
    void EnterCommandLineMode(const std::string& programPath);
    bool IsCommandLineMode() const { return commandLineMode_; }
    const std::string& GetErrorLogPath() const { return errorLogPath_; }

    // Reports text `messageId` of the string table: a message box with the
    // application title at a window; in command-line mode one line of the error
    // log and one line on standard error.
    void ReportError(uint32_t messageId);
    // The same with the text's "%s" replaced by `argument` (a file name).
    void ReportError(uint32_t messageId, std::string_view argument);
    // Reports a text that is not in the string table under its own caption.
    // A `detail` (the file and what is wrong with it) goes beside the text:
    // below it in the same message box, or as a line of its own.
    void ReportText(std::string_view caption, std::string_view text, std::string_view detail = {});
    // ReportError with a `detail` beside the text.
    void ReportFailure(uint32_t messageId, std::string_view detail);
    void ReportFailure(uint32_t messageId, std::string_view argument, std::string_view detail);
    // A failure for which no numbered text exists: the detail alone.
    void ReportDetail(std::string_view detail);

    // Reports the failed file mapping with system error `code` like every
    // other message: caption "Error", text " failed with error %d: %s",
    // `detail` (the file and what was being done) beside it.
    void ReportMappingError(int code, const std::string& detail);
    // A reporter for the files a run reads and writes, sending their failed
    // mappings here; it must not outlive this run state.
    MappingErrorSink MappingErrors();

    void SetMessageBoxSink(MessageBoxSink sink);
    // In command-line mode, hands every report to `sink` in place of the
    // error log and standard error: for a caller that passes the reports on
    // in its own terms (the Python module raises them).
    void SetReportSink(ReportSink sink) { reportSink_ = std::move(sink); }

    void SetAlarmVersion(int version) { alarmVersion_ = version; }
    // True with the version when one was stored (not 0).
    bool GetAlarmVersion(int& version) const;
    void SetAlarmSetupPath(const std::string& path) { alarmSetupPath_ = path; }
    const std::string& GetAlarmSetupPath() const { return alarmSetupPath_; }
    void SetTimeZoneOffset(int minutes) { timeZoneOffsetMinutes_ = minutes; }
    // True when the stored offset lies in -720..780 minutes; `offset` is then
    // the stored minutes negated.
    bool GetTimeZoneOffset(int& offset) const;
    // A database output gets the input's table added in place (a run of
    // several inputs into one database) instead of being replaced.
    void SetAddTableToDatabase(bool add) { addTableToDatabase_ = add; }
    bool AddsTableToDatabase() const { return addTableToDatabase_; }

    // "<folder>/<name without extension>-Err.log" for a program path.
    static std::string ErrorLogPathFor(const std::string& programPath);

private:
    // Appends to the log; a write that fails beside the program moves the log
    // to the state folder, and one that fails there too is said once.
    void AppendToErrorLog(std::string_view text);
    // Says once on standard error where a log not beside the program is.
    void NoteMovedErrorLog();
    void MakeErrorLogFolder();
    // One line of the error log, also written to standard error.
    void ReportLine(std::string_view line);

    bool commandLineMode_ = false;
    std::string errorLogPath_;
    std::string fallbackLogPath_;
    bool errorLogMoved_ = false;  // not beside the program: said once on standard error
    // False until the state folder that holds the log was made.
    bool errorLogFolderReady_ = true;
    bool errorLogMovedNoted_ = false;
    bool errorLogLostNoted_ = false;
    int alarmVersion_ = 0;
    std::string alarmSetupPath_;
    int timeZoneOffsetMinutes_ = 1440;
    bool addTableToDatabase_ = false;
    MessageBoxSink messageBox_;
    ReportSink reportSink_;
};

// The one instance of the program, which its engine context holds.
RunState& ProgramRunState();

// Whether the program runs unattended; the engine asks its context instead.
inline bool IsCommandLineMode()
{
    return ProgramRunState().IsCommandLineMode();
}

}  // namespace logora
