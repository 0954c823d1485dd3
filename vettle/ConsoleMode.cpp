#include "vettle/ConsoleMode.h"

#include <sys/stat.h>

#include <algorithm>

#include "vettle/CDetectRunState.h"
#include "vettle/FolderPattern.h"
#include "vettle/MessageFormat.h"
#include "vettle/Messages.h"
#include "vettle/MyCommandLineInfo.h"
#include "vettle/ReportFile.h"

namespace vettle {

namespace {

bool PathExists(const std::string& path)
{
    struct stat attributes
    {
    };
    return ::stat(path.c_str(), &attributes) == 0;
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

// Where the report goes: each file's block as soon as it is done, so the
// report of many files never has to be held at once.
class CReportOutput
{
public:
    CReportOutput(std::ostream& out, const MyCommandLineInfo& commandLine)
        : out_(out), commandLine_(commandLine)
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
        return written;
    }

private:
    std::ostream& out_;
    const MyCommandLineInfo& commandLine_;
    CReportFile file_;
    bool any_ = false;
};

// The files to check, in order; nothing when a single path does not exist
// (after printing so).
bool ListInputFiles(const MyCommandLineInfo& commandLine, std::ostream& out, std::vector<std::string>& files)
{
    const auto& paths = commandLine.InputPaths();
    if (paths.size() == 1 && !IsCsvFolderPattern(paths[0]) && !PathExists(paths[0])) {
        out << FormatWithPath(kDetectFileMissing, paths[0]) << '\n';
        return false;
    }
    for (const std::string& path : paths) {
        if (IsCsvFolderPattern(path)) {
            const auto listed = ListFolderPattern(path);
            files.insert(files.end(), listed.begin(), listed.end());
        } else {
            files.push_back(path);
        }
    }
    return true;
}

bool CheckReportPath(const MyCommandLineInfo& commandLine, std::ostream& out)
{
    if (!commandLine.OutputGiven()) return true;
    const std::string& path = commandLine.OutputPath();
    if (!IsValidReportName(path)) {
        out << FormatWithPath(kReportNameInvalid, path) << '\n';
        return false;
    }
    CReportFile probe;
    if (!probe.Create(path) || !probe.Close()) {
        out << FormatWithPath(kReportNotCreated, path) << '\n';
        return false;
    }
    return true;
}

int CheckFiles(const MyCommandLineInfo& commandLine, std::ostream& out)
{
    std::vector<std::string> files;
    if (!ListInputFiles(commandLine, out, files)) return kExitTrouble;
    if (!CheckReportPath(commandLine, out)) return kExitTrouble;
    out << kPleaseWait << '\n';

    CReportOutput output(out, commandLine);
    if (!output.Open()) {
        out << FormatWithPath(kReportNotCreated, commandLine.OutputPath()) << '\n';
        return kExitTrouble;
    }
    int status = kExitPassed;
    CDetectRunState run;
    for (const std::string& file : files) {
        run.SetDetectFilePath(file);
        run.Start();
        run.Wait();
        output.Append(ReportBlock(file, run.Report()));
        status = std::max(status, StatusOf(run.Verdict()));
    }
    if (!output.Close()) status = kExitTrouble;
    return status;
}

}  // namespace

int RunConsoleMode(const std::vector<std::string>& arguments, std::ostream& out)
{
    MyCommandLineInfo commandLine;
    commandLine.ParseArguments(arguments);
    int status = kExitPassed;
    if (commandLine.IsHelp()) {
        out << kHelpText << '\n';
    } else if (!commandLine.IsValid()) {
        out << kSyntaxError << '\n';
        status = kExitTrouble;
    } else {
        status = CheckFiles(commandLine, out);
    }
    out << kPressEnter << std::flush;
    return status;
}

}  // namespace vettle
