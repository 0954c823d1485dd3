#include "logora/engine/run/RunState.h"

#include <cstdio>

#include "logora/engine/run/ErrorLogLocation.h"
#include "logora/engine/run/StringTable.h"
#include "platform/files/AppendFile.h"
#include "platform/paths/Paths.h"

namespace logora {

static void WriteToStandardError(std::string_view caption, std::string_view text)
{
    std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(caption.size()), caption.data(),
                 static_cast<int>(text.size()), text.data());
}

RunState::RunState() : messageBox_(WriteToStandardError) {}

void RunState::EnterCommandLineMode()
{
    EnterCommandLineMode(platform::ExecutablePath());
}

void RunState::EnterCommandLineMode(const std::string& programPath)
{
    commandLineMode_ = true;
    const ErrorLogLocation location = ChooseErrorLogLocation(ErrorLogPathFor(programPath));
    errorLogPath_ = location.path;
    errorLogMoved_ = !location.besideProgram && !location.installed;
    errorLogFolderReady_ = location.besideProgram;
    fallbackLogPath_ = location.fallback;
}

std::string RunState::ErrorLogPathFor(const std::string& programPath)
{
    if (programPath.empty()) return {};
    const size_t nameStart = programPath.size() - platform::FileNameOf(programPath).size();
    size_t dot = programPath.rfind('.');
    bool hasExtension = dot != std::string::npos && dot > nameStart;
    return (hasExtension ? programPath.substr(0, dot) : programPath) + "-Err.log";
}

void RunState::ReportError(uint32_t messageId)
{
    ReportText(kApplicationTitle, LoadString(messageId));
}

void RunState::ReportError(uint32_t messageId, std::string_view argument)
{
    ReportText(kApplicationTitle, FormatString(messageId, argument));
}

void RunState::ReportFailure(uint32_t messageId, std::string_view detail)
{
    ReportText(kApplicationTitle, LoadString(messageId), detail);
}

void RunState::ReportFailure(uint32_t messageId, std::string_view argument, std::string_view detail)
{
    ReportText(kApplicationTitle, FormatString(messageId, argument), detail);
}

void RunState::ReportDetail(std::string_view detail)
{
    ReportText(kApplicationTitle, detail);
}

void RunState::ReportText(std::string_view caption, std::string_view text, std::string_view detail)
{
    if (!commandLineMode_) {
        messageBox_(caption,
                    detail.empty() ? std::string(text) : std::string(text) + "\n" + std::string(detail));
        return;
    }
    if (reportSink_) {
        reportSink_(text, detail);
        return;
    }
    ReportLine(text);
    if (!detail.empty()) ReportLine(detail);
}

void RunState::ReportLine(std::string_view line)
{
    AppendToErrorLog(line);
    // Also on standard error, so nothing is lost when the log cannot be written.
    std::fprintf(stderr, "%.*s\n", static_cast<int>(line.size()), line.data());
}

void RunState::AppendToErrorLog(std::string_view text)
{
    if (errorLogPath_.empty()) return;
    std::string line(text);
    line += "\r\n";
    NoteMovedErrorLog();
    MakeErrorLogFolder();
    if (platform::AppendInOneWrite(errorLogPath_, line)) return;
    if (!fallbackLogPath_.empty()) {
        errorLogPath_ = std::move(fallbackLogPath_);
        fallbackLogPath_.clear();
        errorLogMoved_ = true;
        errorLogFolderReady_ = false;
        NoteMovedErrorLog();
        MakeErrorLogFolder();
        if (platform::AppendInOneWrite(errorLogPath_, line)) return;
    }
    if (!errorLogLostNoted_) {
        errorLogLostNoted_ = true;
        std::fprintf(stderr,
                     "logora: the error log %s cannot be written; the messages are on standard error only\n",
                     errorLogPath_.c_str());
    }
}

void RunState::NoteMovedErrorLog()
{
    if (!errorLogMoved_ || errorLogMovedNoted_) return;
    errorLogMovedNoted_ = true;
    std::fprintf(stderr, "logora: the program's folder cannot be written; the error log is %s\n",
                 errorLogPath_.c_str());
}

void RunState::MakeErrorLogFolder()
{
    if (errorLogFolderReady_) return;
    errorLogFolderReady_ = true;
    platform::MakeFolders(platform::FolderOf(errorLogPath_));
}

void RunState::ReportMappingError(int code, const std::string& detail)
{
    logora::ReportMappingError(MappingErrors(), code, detail);
}

MappingErrorSink RunState::MappingErrors()
{
    return [this](const std::string& caption, const std::string& text, const std::string& detail) {
        ReportText(caption, text, detail);
    };
}

void RunState::SetMessageBoxSink(MessageBoxSink sink)
{
    messageBox_ = sink ? std::move(sink) : MessageBoxSink(WriteToStandardError);
}

bool RunState::GetAlarmVersion(int& version) const
{
    if (alarmVersion_ == 0) return false;
    version = alarmVersion_;
    return true;
}

bool RunState::GetTimeZoneOffset(int& offset) const
{
    if (timeZoneOffsetMinutes_ < -720 || timeZoneOffsetMinutes_ > 780) return false;
    offset = -timeZoneOffsetMinutes_;
    return true;
}

RunState& ProgramRunState()
{
    static RunState state;
    return state;
}

}  // namespace logora
