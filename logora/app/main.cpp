// logora: views Zarn and Vell datalogs, alarm logs, recipe files and dBASE
// tables, and converts them from the command line. A batch run never creates
// a QApplication, so it works on a machine without a display.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/CommandLineHelp.h"
#include "logora/engine/cmdline/RunBatch.h"
#include "logora/engine/cmdline/StartUp.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/document/TemporaryTable.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/CAppSettings.h"
#include "platform/process/ProgramArguments.h"

#ifdef LOGORA_WITH_VIEWER
#include "logora/ui/app/RunViewer.h"
#include "platform/display/DisplayCheck.h"
#endif

namespace {

int ShowHelp(int argc, char** argv)
{
#ifdef LOGORA_WITH_VIEWER
    // Without a display the help goes to standard output instead.
    std::string missing;
    if (platform::CanShowWindows(missing)) return logora::ui::ShowCommandLineHelpDialog(argc, argv);
#endif
    (void)argc;
    (void)argv;
    for (std::string_view line : logora::kCommandLineHelpLines) {
        std::printf("%.*s\n", int(line.size()), line.data());
    }
    return std::fflush(stdout) == 0 ? logora::kExitWritten : logora::kExitOutputFailed;
}

int Run(int argc, char** argv)
{
    // Tables of earlier runs that were killed or crashed would stay for good.
    logora::RemoveAbandonedTemporaryTables();
    const std::vector<std::string> args = platform::ProgramArguments(argc, argv);
    const std::vector<std::string> clampedOptions = logora::LoadAppOptions(logora::AppSettings());
    logora::CFileViewerCmdLineInfo info;
    info.Parse(args);
    for (const std::string& warning : info.ignoredSwitchWarnings)
        std::fprintf(stderr, "logora: %s\n", warning.c_str());
    logora::ApplyToRunState(info, logora::RunState());
    std::string missing;
    const logora::StartAction action = logora::ChooseStartAction(info);
    // Runs with a file (command-line mode) say which settings were not used as written.
    if (action != logora::StartAction::ShowHelp && !info.fileParameters.empty()) {
        for (const std::string& note : clampedOptions) std::fprintf(stderr, "logora: %s\n", note.c_str());
    }
    switch (action) {
        case logora::StartAction::ShowHelp:
            return ShowHelp(argc, argv);
        case logora::StartAction::Batch:
            logora::RunState().EnterCommandLineMode();
            return logora::RunBatch(info);
        case logora::StartAction::Window:
#ifdef LOGORA_WITH_VIEWER
            if (platform::CanShowWindows(missing)) return logora::ui::RunViewer(argc, argv, info);
#endif
            break;
    }
    std::fprintf(stderr,
                 "logora: the viewer window needs a display%s; convert with\n"
                 "  logora [switches] <input> <output>\n"
                 "or show the switches with: logora /?\n",
#ifdef LOGORA_WITH_VIEWER
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
