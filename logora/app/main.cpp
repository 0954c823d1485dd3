// logora: converts Zarn and Vell datalogs, alarm logs, recipe files and
// dBASE tables from the command line. The viewer window is a separate build
// step; this program runs the help and the batch conversion, which never
// need a display.
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/CommandLineHelp.h"
#include "logora/engine/cmdline/RunBatch.h"
#include "logora/engine/cmdline/StartUp.h"
#include "logora/engine/document/AppOptions.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/CAppSettings.h"

namespace {

int ShowHelp()
{
    for (std::string_view line : logora::kCommandLineHelpLines) {
        std::printf("%.*s\n", int(line.size()), line.data());
    }
    return std::fflush(stdout) == 0 ? logora::kExitWritten : logora::kExitOutputFailed;
}

int Run(const std::vector<std::string>& args)
{
    logora::LoadAppOptions(logora::AppSettings());
    logora::CFileViewerCmdLineInfo info;
    info.Parse(args);
    logora::ApplyToRunState(info, logora::RunState());
    switch (logora::ChooseStartAction(info)) {
        case logora::StartAction::ShowHelp:
            return ShowHelp();
        case logora::StartAction::Batch:
            logora::RunState().EnterCommandLineMode();
            return logora::RunBatch(info);
        case logora::StartAction::Window:
            break;
    }
    std::fprintf(stderr,
                 "logora: the viewer window is not built yet; convert with\n"
                 "  logora [switches] <input> <output>\n"
                 "or show the switches with: logora /?\n");
    return logora::kExitViewerMissing;
}

}  // namespace

int main(int argc, char** argv)
{
    try {
        return Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "logora: %s\n", error.what());
        return logora::kExitInputFailed;
    }
}
