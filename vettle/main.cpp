// vettle: checks integrity-marked CSV data logs for tampering. With arguments
// it works on the console; without, it shows its dialog when that is built.
#include <iostream>
#include <string>
#include <vector>

#include "vettle/ConsoleMode.h"

#ifdef VETTLE_WITH_DIALOG
#include "vettle/dialog/DialogMode.h"
#endif

int main(int argc, char** argv)
{
    if (argc < 2) {
#ifdef VETTLE_WITH_DIALOG
        return vettle::RunDialogMode(argc, argv);
#else
        std::cerr << "vettle: the dialog mode is not built in; type vettle ? for the console mode.\n";
        return vettle::kExitTrouble;
#endif
    }
    return vettle::RunConsoleMode(std::vector<std::string>(argv + 1, argv + argc), {std::cout, std::cerr});
}
