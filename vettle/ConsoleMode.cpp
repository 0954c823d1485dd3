#include "vettle/ConsoleMode.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <system_error>
#include <thread>

#include "platform/files/FileAccess.h"
#include "platform/files/SameFile.h"
#include "platform/search/FolderSearch.h"
#include "platform/signals/Interrupts.h"
#include "vettle/CheckedOutput.h"
#include "vettle/DetectRunState.h"
#include "vettle/FolderPattern.h"
#include "vettle/JsonReport.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"
#include "vettle/MyCommandLineInfo.h"
#include "vettle/OrderedChecks.h"
#include "vettle/ReportFile.h"

namespace vettle {

namespace {

int StatusOf(DetectVerdict verdict)
{
    switch (verdict) {
        case DetectVerdict::Passed:
            return kExitPassed;
        case DetectVerdict::FileMissing:
        case DetectVerdict::FileNotOpened:
        case DetectVerdict::FileNotRead:
            return kExitTrouble;
        default:
            return kExitTampered;
    }
}

// One file's part of the report: heading, the run's report, one CR LF.
std::string ReportBlock(const std::string& path, const std::string& report)
{
    std::string block = FormatWithPath(kReportHeading, path) + report;
    while (!block.empty() && (block.back() == '\r' || block.back() == '\n')) block.pop_back();
    return block + "\r\n";
}

// The console shows lines with the platform's line break.
std::string ForConsole(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
        shown.push_back(text[i]);
    }
    return shown;
}

void PrintReportError(const std::string& path, const std::string& failure, std::ostream& err)
{
    if (failure.empty()) return;
    err << "vettle: report file " << path << ": " << failure << '\n';
}

bool ReportsToFile(const MyCommandLineInfo& commandLine)
{
    return commandLine.OutputGiven() && commandLine.OutputPath() != kReportToStandardOutput;
}

// A report on standard output for a program to read ("-o -", JSON) keeps the
// flow's texts off it.
bool ReportTakesStandardOutput(const MyCommandLineInfo& commandLine, ReportForm form)
{
    return !ReportsToFile(commandLine) && (commandLine.OutputGiven() || form == ReportForm::Json);
}

// The texts of the flow, on standard output, or on standard error while the
// report goes to standard output; error texts also on standard error.
class FlowTexts
{
public:
    FlowTexts(const ConsoleStreams& streams, CheckedOutput& out, bool reportToStandardOutput)
        : errTexts_(streams.err),
          texts_(reportToStandardOutput ? errTexts_ : out),
          err_(streams.err),
          copyErrors_(streams.copyErrors && !reportToStandardOutput)
    {}

    void Say(const std::string& text) { texts_.Write(text + '\n'); }
    void Error(const std::string& text)
    {
        Say(text);
        if (copyErrors_) err_ << "vettle: " << text << '\n';
    }

private:
    CheckedOutput errTexts_;
    CheckedOutput& texts_;
    std::ostream& err_;
    bool copyErrors_;
};

// Where the report goes: each file's block as soon as it is done, so the
// report of many files never has to be held at once.
class ReportOutput
{
public:
    ReportOutput(const ConsoleStreams& streams, CheckedOutput& out, FlowTexts& texts,
                 const MyCommandLineInfo& commandLine, ReportForm form)
        : out_(out),
          err_(streams.err),
          texts_(texts),
          commandLine_(commandLine),
          form_(form),
          toFile_(ReportsToFile(commandLine))
    {}

    // Before any check: a report that cannot be written stops the run there.
    bool Open()
    {
        const auto encoding = form_ == ReportForm::Json ? ReportEncoding::Utf8 : ReportEncoding::Utf16Le;
        if (toFile_ && !file_.Create(commandLine_.OutputPath(), encoding)) {
            texts_.Error(FormatWithPath(kReportNotCreated, commandLine_.OutputPath()));
            PrintReportError(commandLine_.OutputPath(), file_.Failure(), err_);
            return false;
        }
        if (form_ == ReportForm::Json) Write(json_.Begin());
        return true;
    }

    void Append(const std::string& file, const DetectRunState& run)
    {
        any_ = true;
        Write(form_ == ReportForm::Json ? json_.Entry(file, run.Verdict(), run.ReportedLine(), run.Report())
                                        : ReportBlock(file, run.Report()));
    }

    // Prints the closing line; false when the report file was not written.
    bool Close()
    {
        if (form_ == ReportForm::Json) Write(json_.End());
        if (!toFile_) {
            if (!any_ && !commandLine_.OutputGiven() && form_ == ReportForm::Text) out_.Write("\n");
            return true;
        }
        const bool written = file_.Close();
        const std::string text =
            FormatWithPath(written ? kReportSaved : kReportNotCreated, commandLine_.OutputPath());
        if (written) {
            texts_.Say(text);
        } else {
            texts_.Error(text);
            PrintReportError(commandLine_.OutputPath(), file_.Failure(), err_);
        }
        return written;
    }

private:
    void Write(const std::string& text)
    {
        if (toFile_) {
            file_.Append(text);
        } else if (commandLine_.OutputGiven() || form_ == ReportForm::Json) {
            // The report file's text, in UTF-8.
            out_.Write(text);
        } else {
            out_.Write(ForConsole(text));
        }
    }

    CheckedOutput& out_;
    std::ostream& err_;
    FlowTexts& texts_;
    const MyCommandLineInfo& commandLine_;
    const ReportForm form_;
    const bool toFile_;
    ReportFile file_;
    JsonReport json_;
    bool any_ = false;
};

// "file k of n: <path>  42%" on a terminal, at most ten times a second.
class ProgressLine
{
public:
    ProgressLine(std::ostream& err, bool shown, size_t files) : err_(err), shown_(shown), files_(files) {}
    ~ProgressLine() { Clear(); }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Show(size_t index, const std::string& path, double fraction)
    {
        const auto now = std::chrono::steady_clock::now();
        if (!shown_ || (drawn_ && now - last_ < std::chrono::milliseconds(100))) return;
        last_ = now;
        drawn_ = true;
        const int percent = static_cast<int>(std::min(fraction, 1.0) * 100.0);
        err_ << "\rfile " << index + 1 << " of " << files_ << ": " << path << "  " << percent << "%\033[K"
             << std::flush;
    }
    void Clear()
    {
        if (drawn_) err_ << "\r\033[K" << std::flush;
        drawn_ = false;
    }

private:
    std::ostream& err_;
    const bool shown_;
    const size_t files_;
    std::chrono::steady_clock::time_point last_{};
    bool drawn_ = false;
};

// Waits for one started detection to end, or until an interrupt cancels it.
void AwaitDetection(DetectRunState& run, ProgressLine& progress, size_t index)
{
    bool cancelled = false;
    while (run.IsRunning()) {
        if (platform::Interrupted() && !cancelled) {
            run.Cancel();
            cancelled = true;
        }
        progress.Show(index, run.DetectFilePath(), run.Progress());
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    run.Wait();
}

// The files to check, in order; nothing when a single path does not exist
// (after printing so), except in a JSON report, whose entry for the file says
// so: a program reading it gets a document whenever a file was named. A
// pattern whose folder cannot be read lists nothing, as a folder without logs
// would, but leaves `folderUnread` set.
bool ListInputFiles(const MyCommandLineInfo& commandLine, ReportForm form, const ConsoleStreams& streams,
                    FlowTexts& texts, std::vector<std::string>& files, bool& folderUnread)
{
    const auto& paths = commandLine.InputPaths();
    if (form == ReportForm::Text && paths.size() == 1 && !IsCsvFolderPattern(paths[0]) &&
        !platform::PathExists(paths[0])) {
        texts.Error(FormatWithPath(kDetectFileMissing, paths[0]));
        return false;
    }
    for (const std::string& path : paths) {
        if (IsCsvFolderPattern(path)) {
            std::error_code error;
            const auto listed = platform::FilesMatching(path, error);
            if (error) {
                streams.err << "vettle: the folder of " << path << " cannot be read: " << error.message()
                            << '\n';
                folderUnread = true;
            }
            files.insert(files.end(), listed.begin(), listed.end());
        } else {
            files.push_back(path);
        }
    }
    return true;
}

// A report written over a log it is about to check would destroy the log.
bool ReportPathNamesAnInput(const std::string& reportPath, const std::vector<std::string>& files,
                            std::ostream& err)
{
    for (const std::string& file : files) {
        if (!platform::SameFile(reportPath, file)) continue;
        err << "vettle: report file " << reportPath << " is the data log " << file
            << " to be checked; nothing was checked or written.\n";
        return true;
    }
    return false;
}

bool CheckReportPath(const MyCommandLineInfo& commandLine, const std::vector<std::string>& files,
                     const ConsoleStreams& streams, FlowTexts& texts)
{
    if (!ReportsToFile(commandLine)) return true;
    const std::string& path = commandLine.OutputPath();
    if (!IsValidReportName(path)) {
        texts.Error(FormatWithPath(kReportNameInvalid, path));
        return false;
    }
    return !ReportPathNamesAnInput(path, files, streams.err);
}

int CheckFiles(const MyCommandLineInfo& commandLine, ReportForm form, const ConsoleStreams& streams,
               CheckedOutput& out, FlowTexts& texts)
{
    std::vector<std::string> files;
    bool folderUnread = false;
    if (!ListInputFiles(commandLine, form, streams, texts, files, folderUnread)) return kExitTrouble;
    if (!CheckReportPath(commandLine, files, streams, texts)) return kExitTrouble;
    // A report file is put in place only once complete, so a previous report
    // stays until then; a device or pipe is opened once, so that its reader
    // sees one report.
    ReportOutput output(streams, out, texts, commandLine, form);
    if (!output.Open()) return kExitTrouble;
    texts.Say(kPleaseWait);
    int status = folderUnread ? kExitTrouble : kExitPassed;
    ProgressLine progress(streams.err, streams.showProgress, files.size());
    const auto await = [&](size_t index, DetectRunState& run) { AwaitDetection(run, progress, index); };
    CheckInOrder(files, CheckWorkers(), await, [&](const std::string& file, const DetectRunState& run) {
        // The report is left unwritten: a cut-short check would read as a verdict.
        if (platform::Interrupted()) return false;
        progress.Clear();
        output.Append(file, run);
        const int fileStatus = StatusOf(run.Verdict());
        if (fileStatus == kExitTrouble && streams.copyErrors)
            streams.err << "vettle: " << run.Report() << '\n';
        status = std::max(status, fileStatus);
        return true;
    });
    if (platform::Interrupted()) return InterruptedStatus();
    if (!output.Close()) status = kExitTrouble;
    return status;
}

}  // namespace

int InterruptedStatus()
{
    return platform::InterruptExitStatus();
}

int RunConsoleMode(const std::vector<std::string>& arguments, const ConsoleStreams& streams, ReportForm form)
{
    MyCommandLineInfo commandLine;
    commandLine.ParseArguments(arguments);
    CheckedOutput out(streams.out);
    FlowTexts texts(streams, out, commandLine.IsValid() && ReportTakesStandardOutput(commandLine, form));
    int status = kExitPassed;
    if (commandLine.IsHelp()) {
        texts.Say(kHelpText);
    } else if (!commandLine.IsValid()) {
        texts.Error(kSyntaxError);
        status = kExitTrouble;
    } else {
        status = CheckFiles(commandLine, form, streams, out, texts);
    }
    if (platform::Interrupted()) {
        streams.err << "Interrupted\n";
        return InterruptedStatus();
    }
    texts.Say(kPressEnter);
    // The texts or the report did not all arrive.
    if (!out.Failure().empty()) {
        streams.err << "vettle: standard output: " << out.Failure() << '\n';
        return kExitTrouble;
    }
    return status;
}

}  // namespace vettle
