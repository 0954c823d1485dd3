#include "vettle/ConsoleMode.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/files/SameFile.h"
#include "platform/search/FolderSearch.h"
#include "vettle/CDetectRunState.h"
#include "vettle/FolderPattern.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"
#include "vettle/MyCommandLineInfo.h"
#include "vettle/OrderedChecks.h"
#include "vettle/ReportFile.h"

namespace vettle {

namespace {

bool PathExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

int StatusOf(DetectVerdict verdict)
{
    switch (verdict) {
        case DetectVerdict::Passed:
            return kExitPassed;
        case DetectVerdict::FileMissing:
        case DetectVerdict::FileNotOpened:
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

void PrintReportError(const std::string& path, int error, std::ostream& err)
{
    if (error == 0) return;
    err << "vettle: report file " << path << ": " << std::generic_category().message(error) << '\n';
}

// Where the report goes: each file's block as soon as it is done, so the
// report of many files never has to be held at once.
class CReportOutput
{
public:
    CReportOutput(const ConsoleStreams& streams, const MyCommandLineInfo& commandLine)
        : out_(streams.out), err_(streams.err), commandLine_(commandLine)
    {}

    bool Open() { return !commandLine_.OutputGiven() || file_.Create(commandLine_.OutputPath()); }

    void Append(const std::string& block)
    {
        any_ = true;
        if (commandLine_.OutputGiven()) {
            file_.Append(block);
        } else {
            out_ << ForConsole(block);
        }
    }

    // Prints the closing line; false when the report file was not written.
    bool Close()
    {
        if (!commandLine_.OutputGiven()) {
            if (!any_) out_ << '\n';
            return true;
        }
        const bool written = file_.Close();
        out_ << FormatWithPath(written ? kReportSaved : kReportNotCreated, commandLine_.OutputPath()) << '\n';
        if (!written) PrintReportError(commandLine_.OutputPath(), file_.Error(), err_);
        return written;
    }

private:
    std::ostream& out_;
    std::ostream& err_;
    const MyCommandLineInfo& commandLine_;
    CReportFile file_;
    bool any_ = false;
};

// The files to check, in order; nothing when a single path does not exist
// (after printing so). A pattern whose folder cannot be read lists nothing,
// as a folder without logs would, but leaves `folderUnread` set.
bool ListInputFiles(const MyCommandLineInfo& commandLine, const ConsoleStreams& streams,
                    std::vector<std::string>& files, bool& folderUnread)
{
    const auto& paths = commandLine.InputPaths();
    if (paths.size() == 1 && !IsCsvFolderPattern(paths[0]) && !PathExists(paths[0])) {
        streams.out << FormatWithPath(kDetectFileMissing, paths[0]) << '\n';
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
                     const ConsoleStreams& streams)
{
    if (!commandLine.OutputGiven()) return true;
    const std::string& path = commandLine.OutputPath();
    if (!IsValidReportName(path)) {
        streams.out << FormatWithPath(kReportNameInvalid, path) << '\n';
        return false;
    }
    if (ReportPathNamesAnInput(path, files, streams.err)) return false;
    // Only proves the report can be written: the probe is never put in place,
    // so a previous report stays until the new one is complete.
    CReportFile probe;
    if (!probe.Create(path)) {
        streams.out << FormatWithPath(kReportNotCreated, path) << '\n';
        PrintReportError(path, probe.Error(), streams.err);
        return false;
    }
    return true;
}

int CheckFiles(const MyCommandLineInfo& commandLine, const ConsoleStreams& streams)
{
    std::ostream& out = streams.out;
    std::vector<std::string> files;
    bool folderUnread = false;
    if (!ListInputFiles(commandLine, streams, files, folderUnread)) return kExitTrouble;
    if (!CheckReportPath(commandLine, files, streams)) return kExitTrouble;
    out << kPleaseWait << '\n';

    CReportOutput output(streams, commandLine);
    if (!output.Open()) {
        out << FormatWithPath(kReportNotCreated, commandLine.OutputPath()) << '\n';
        return kExitTrouble;
    }
    int status = folderUnread ? kExitTrouble : kExitPassed;
    CheckInOrder(files, CheckWorkers(), [&](const std::string& file, const CDetectRunState& run) {
        output.Append(ReportBlock(file, run.Report()));
        status = std::max(status, StatusOf(run.Verdict()));
    });
    if (!output.Close()) status = kExitTrouble;
    return status;
}

}  // namespace

int RunConsoleMode(const std::vector<std::string>& arguments, const ConsoleStreams& streams)
{
    std::ostream& out = streams.out;
    MyCommandLineInfo commandLine;
    commandLine.ParseArguments(arguments);
    int status = kExitPassed;
    if (commandLine.IsHelp()) {
        out << kHelpText << '\n';
    } else if (!commandLine.IsValid()) {
        out << kSyntaxError << '\n';
        status = kExitTrouble;
    } else {
        status = CheckFiles(commandLine, streams);
    }
    out << kPressEnter << std::flush;
    return status;
}

}  // namespace vettle
