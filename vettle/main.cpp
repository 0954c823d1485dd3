// vettle: checks integrity-marked CSV data logs for tampering. With arguments
// it works on the console; without, it shows its dialog when that is built
// (the program vettle-dialog, of this same source).
#include <iostream>
#include <string>
#include <vector>

#include "common/Version.h"
#include "common/cmdline/LongOptions.h"
#include "platform/console/Terminal.h"
#include "platform/process/ProgramArguments.h"
#include "platform/signals/Interrupts.h"
#include "vettle/CheckedOutput.h"
#include "vettle/ConsoleMode.h"
#include "vettle/UsageText.h"

#if defined(VETTLE_WITH_DIALOG) || defined(VETTLE_DIALOG_PROGRAM)
#include "platform/display/DisplayCheck.h"
#endif
#ifdef VETTLE_WITH_DIALOG
#include "vettle/dialog/DialogMode.h"
#endif
#ifdef VETTLE_DIALOG_PROGRAM
#include "platform/process/ProgramInstead.h"
#endif

namespace {

// A text the user asked for is lost when standard output cannot take it.
int PrintText(std::string_view text)
{
    vettle::CheckedOutput out(std::cout);
    out.Write(text);
    if (out.Failure().empty()) return vettle::kExitPassed;
    std::cerr << "vettle: standard output: " << out.Failure() << '\n';
    return vettle::kExitTrouble;
}

#ifdef VETTLE_DIALOG_PROGRAM
// The dialog is a program of its own, run in place of this one, so that a
// check on the console never loads the window system's libraries.
int RunDialogProgram(int argc, char** argv)
{
    std::string error;
    const int status =
        platform::RunCompanionInstead(VETTLE_DIALOG_PROGRAM, VETTLE_DIALOG_INSTALLED, argc, argv, error);
    if (status >= 0) return status;
    std::cerr << "vettle: the dialog cannot be started: " << error << '\n';
    return vettle::kExitTrouble;
}
#endif

int RunWithoutArguments(int argc, char** argv)
{
#if defined(VETTLE_WITH_DIALOG) || defined(VETTLE_DIALOG_PROGRAM)
    std::string missing;
#ifdef VETTLE_WITH_DIALOG
    if (platform::CanShowWindows(missing)) return vettle::RunDialogMode(argc, argv);
#else
    if (platform::CanShowWindows(missing)) return RunDialogProgram(argc, argv);
#endif
    std::cerr << "vettle: the dialog needs a display (" << missing
              << "); check logs on the console instead:\n"
                 "  vettle -i <log.csv> [-o <report.txt>]\n"
                 "or show the console forms with: vettle ?\n";
#else
    (void)argc;
    (void)argv;
    std::cerr << "vettle: the dialog mode is not built in; type vettle ? for the console mode.\n";
#endif
    return vettle::kExitTrouble;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return RunWithoutArguments(argc, argv);
    common::SplitArguments split;
    std::string error;
    const std::vector<common::LongOptionSpec> specs = {
        {"--help", false}, {"-h", false}, {"--version", false}, {"--quiet", false}, {"--json", false}};
    if (!common::SplitLongOptions(platform::ProgramArguments(argc, argv), specs, split, error)) {
        std::cerr << "vettle: " << error << "\nType vettle --help for the options.\n";
        return vettle::kExitTrouble;
    }
    bool quiet = false;
    auto form = vettle::ReportForm::Text;
    for (const common::LongOption& option : split.options) {
        if (option.name == "--version")
            return PrintText("vettle " + std::string(common::kProjectVersion) + "\n");
        if (option.name == "--quiet") {
            quiet = true;
        } else if (option.name == "--json") {
            form = vettle::ReportForm::Json;
        } else {
            return PrintText(vettle::kUsageText);
        }
    }
    if (split.rest.empty()) return RunWithoutArguments(argc, argv);
    platform::CatchInterrupts();
    vettle::ConsoleStreams streams{std::cout, std::cerr};
    streams.copyErrors = !(platform::StandardOutputIsTerminal() && platform::StandardErrorIsTerminal());
    streams.showProgress = !quiet && platform::StandardErrorRedrawsLines();
    return vettle::RunConsoleMode(split.rest, streams, form);
}
