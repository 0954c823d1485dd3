// vettle: checks integrity-marked CSV data logs for tampering. With arguments
// it works on the console; without, it shows its dialog when that is built.
#include <iostream>
#include <string>
#include <vector>

#include "platform/process/ProgramArguments.h"
#include "vettle/ConsoleMode.h"

#ifdef VETTLE_WITH_DIALOG
#include "platform/display/DisplayCheck.h"
#include "vettle/dialog/DialogMode.h"
#endif

int main(int argc, char** argv)
{
    if (argc < 2) {
#ifdef VETTLE_WITH_DIALOG
        std::string missing;
        if (platform::CanShowWindows(missing)) return vettle::RunDialogMode(argc, argv);
        std::cerr << "vettle: the dialog needs a display (" << missing
                  << "); check logs on the console instead:\n"
                     "  vettle -i <log.csv> [-o <report.txt>]\n"
                     "or show the console forms with: vettle ?\n";
        return vettle::kExitTrouble;
#else
        std::cerr << "vettle: the dialog mode is not built in; type vettle ? for the console mode.\n";
        return vettle::kExitTrouble;
#endif
    }
    return vettle::RunConsoleMode(platform::ProgramArguments(argc, argv), {std::cout, std::cerr});
}
