// logora: views Zarn and Vell datalogs, alarm logs, recipe files and dBASE
// tables, and converts them from the command line. A batch run never creates
// a QApplication, so it works on a machine without a display.
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "common/Version.h"
#include "logora/app/cmdline/ManyInputs.h"
#include "logora/app/cmdline/ProgramOptions.h"
#include "logora/app/cmdline/TerminalProgress.h"
#include "logora/app/cmdline/UsageText.h"
#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/CommandLineHelp.h"
#include "logora/engine/cmdline/RunBatch.h"
#include "logora/engine/cmdline/StartUp.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/ProgramContext.h"
#include "logora/engine/document/TemporaryTable.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"
#include "logora/engine/text/CodePage.h"
#include "logora/engine/timezone/TimeZoneTable.h"
#include "platform/console/Terminal.h"
#include "platform/paths/Paths.h"
#include "platform/process/ChildProcess.h"
#include "platform/process/ProgramArguments.h"
#include "platform/signals/Interrupts.h"

#ifdef LOGORA_WITH_VIEWER
#include "logora/ui/app/RunViewer.h"
#endif
#if defined(LOGORA_WITH_VIEWER) || defined(LOGORA_VIEWER_PROGRAM)
#include "platform/display/DisplayCheck.h"
#include "platform/process/ProgramInstead.h"
#endif

namespace {

// A text the user asked for is lost when standard output cannot take it (a
// full disk, a closed pipe): that fails the run, with the system's reason.
int PrintText(std::string_view text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
    if (std::fflush(stdout) == 0 && written && !std::ferror(stdout)) return logora::kExitWritten;
    std::fprintf(stderr, "logora: standard output: %s\n", std::strerror(errno));
    return logora::kExitOutputFailed;
}

#ifdef LOGORA_VIEWER_PROGRAM
// Windows are shown by the viewer program, run in place of this one with the
// same arguments, so that a batch run never loads the window system's
// libraries (more than half of the start of a short run).
int RunViewerProgram(int argc, char** argv)
{
    std::string error;
    const int status =
        platform::RunCompanionInstead(LOGORA_VIEWER_PROGRAM, LOGORA_VIEWER_INSTALLED, argc, argv, error);
    if (status >= 0) return status;
    std::fprintf(stderr, "logora: the viewer cannot be started: %s\n", error.c_str());
    return logora::kExitViewerMissing;
}
#endif

int ShowHelp(int argc, char** argv)
{
#ifdef LOGORA_WITH_VIEWER
    // Without a display the help goes to standard output instead.
    std::string missing;
    if (platform::CanShowWindows(missing)) return logora::ui::ShowCommandLineHelpDialog(argc, argv);
#endif
    (void)argc;
    (void)argv;
    std::string text;
    for (std::string_view line : logora::kCommandLineHelpLines) text += std::string(line) + "\n";
    return PrintText(text);
}

// A self-updating line on a terminal, or lines for the run over several
// inputs that started this one; nothing with --quiet.
void InstallProgress(const logora::ProgramOptions& options, const std::string& input)
{
    const std::string label = platform::FileNameOf(input);
    if (options.progressLines) {
        logora::ProgramContext().batchProgress = [](const std::string&, const std::string&) {
            return std::make_unique<logora::ProgressLines>();
        };
    } else if (!options.quiet && platform::StandardErrorRedrawsLines()) {
        logora::ProgramContext().batchProgress = [label](const std::string&, const std::string&) {
            return std::make_unique<logora::TerminalProgress>(label);
        };
    }
}

// After an interrupt the outputs were abandoned and the table deleted.
int EndOfBatch(int status)
{
    if (!platform::Interrupted()) return status;
    std::fputs("Interrupted\n", stderr);
    return platform::InterruptExitStatus();
}

// The switches among the arguments before "--".
std::vector<std::string> SwitchesOf(const std::vector<std::string>& arguments, size_t namesFrom)
{
    std::vector<std::string> switches;
    for (size_t i = 0; i < std::min(namesFrom, arguments.size()); ++i) {
        if (logora::CFileViewerCmdLineInfo::IsSwitchArgument(arguments[i])) switches.push_back(arguments[i]);
    }
    return switches;
}

// What the program read before it looked at its inputs: once per run, also
// for the copies of the process that convert the inputs of a batch run.
struct Loaded
{
    std::vector<std::string> clampedOptions;
    std::string unreadSettings;
};

int RunWithSettings(int argc, char** argv, const logora::ProgramOptions& options, const Loaded& loaded);

// One input's conversion with the arguments a started program would get,
// in a copy of this process that has read settings and time zones already.
int ConvertInCopy(const std::vector<std::string>& arguments, const Loaded& loaded)
{
    try {
        logora::ProgramOptions options;
        std::string error;
        if (!logora::ParseProgramOptions(arguments, options, error)) {
            std::fprintf(stderr, "logora: %s\nType logora --help for the options.\n", error.c_str());
            return logora::kExitUsage;
        }
        std::vector<char*> argv{const_cast<char*>("logora")};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        return RunWithSettings(static_cast<int>(argv.size() - 1), argv.data(), options, loaded);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "logora: %s\n", error.what());
        return logora::kExitInputFailed;
    }
}

int Run(int argc, char** argv)
{
    logora::ProgramOptions options;
    std::string error;
    if (!logora::ParseProgramOptions(platform::ProgramArguments(argc, argv), options, error)) {
        std::fprintf(stderr, "logora: %s\nType logora --help for the options.\n", error.c_str());
        return logora::kExitUsage;
    }
    if (options.help) return PrintText(logora::kUsageText);
    if (options.version) return PrintText("logora " + std::string(common::kProjectVersion) + "\n");
    // Tables of earlier runs that were killed or crashed would stay for good.
    logora::RemoveAbandonedTemporaryTables();
    Loaded loaded;
    loaded.clampedOptions = logora::LoadAppOptions(logora::ProgramAppSettings());
    loaded.unreadSettings = logora::ProgramAppSettings().LoadFailure();
    if (options.outDir || options.into) {
        logora::CFileViewerCmdLineInfo info;
        info.Parse(options.rest, options.namesFrom);
        // Each input's own run says these.
        if (logora::ChooseStartAction(info) != logora::StartAction::ShowHelp) {
            platform::CatchInterrupts();
            logora::ManyInputsConversion convert;
            if (platform::CanStartCopies()) {
                // Read once here, not by each input's run.
                logora::LoadTimeZoneTable();
                convert = [&loaded](const std::vector<std::string>& arguments) {
                    return ConvertInCopy(arguments, loaded);
                };
            }
            return logora::RunManyInputs(platform::ExecutablePath(),
                                         SwitchesOf(options.rest, options.namesFrom), info.fileParameters,
                                         options, convert);
        }
    }
    return RunWithSettings(argc, argv, options, loaded);
}

int RunWithSettings(int argc, char** argv, const logora::ProgramOptions& options, const Loaded& loaded)
{
    const std::vector<std::string>& args = options.rest;
    logora::CFileViewerCmdLineInfo info;
    info.Parse(args, options.namesFrom);
    if (options.codePage) logora::SetActiveCodePage(*options.codePage);
    if (options.oneThread) logora::ProgramAppOptions().exportThreads = 1;
    logora::ApplyToRunState(info, logora::ProgramRunState());
    if (!options.setupFile.empty()) logora::ProgramRunState().SetAlarmSetupPath(options.setupFile);
    logora::ProgramRunState().SetAddTableToDatabase(options.addTable);
    std::string missing;
    const logora::StartAction action = logora::ChooseStartAction(info);
#ifdef LOGORA_VIEWER_PROGRAM
    // The viewer says all that follows itself.
    if (action != logora::StartAction::Batch && platform::CanShowWindows(missing))
        return RunViewerProgram(argc, argv);
#endif
    if (!loaded.unreadSettings.empty()) {
        std::fprintf(stderr, "logora: %s; the default settings are used, and changes are not saved\n",
                     loaded.unreadSettings.c_str());
    }
    for (const std::string& warning : info.ignoredSwitchWarnings)
        std::fprintf(stderr, "logora: %s\n", warning.c_str());
    // Runs with a file (command-line mode) say which settings were not used as written.
    if (action != logora::StartAction::ShowHelp && !info.fileParameters.empty()) {
        for (const std::string& note : loaded.clampedOptions)
            std::fprintf(stderr, "logora: %s\n", note.c_str());
    }
    switch (action) {
        case logora::StartAction::ShowHelp:
            return ShowHelp(argc, argv);
        case logora::StartAction::Batch:
            platform::CatchInterrupts();
            logora::ProgramRunState().EnterCommandLineMode();
            InstallProgress(options, info.fileParameters.front());
            return EndOfBatch(logora::RunBatch(info, logora::ProgramContext()));
        case logora::StartAction::Window:
#ifdef LOGORA_WITH_VIEWER
            // A viewer in command-line mode writes the error log of the logora the user ran.
            if (platform::CanShowWindows(missing)) {
                return logora::ui::RunViewer(
                    argc, argv, info,
                    platform::CompanionProgram(LOGORA_LAUNCHER_PROGRAM, LOGORA_LAUNCHER_INSTALLED));
            }
#endif
            break;
    }
    std::fprintf(stderr,
                 "logora: the viewer window needs a display%s; convert with\n"
                 "  logora [switches] <input> <output>\n"
                 "or show the switches with: logora /?\n",
#if defined(LOGORA_WITH_VIEWER) || defined(LOGORA_VIEWER_PROGRAM)
                 ""
#else
                 " and a build with Qt"
#endif
    );
    if (!missing.empty()) std::fprintf(stderr, "logora: %s\n", missing.c_str());
    return logora::kExitViewerMissing;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(argc, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "logora: %s\n", error.what());
        return logora::kExitInputFailed;
    }
}
