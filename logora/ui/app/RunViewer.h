#pragma once
// The window program: the main window, and with one file parameter that file
// opened in command-line mode.

#include <string>

namespace logora {
class CFileViewerCmdLineInfo;
}

namespace logora::ui {

// Returns the program's exit code. `programPath` names the program whose
// error log command-line mode writes.
int RunViewer(int argc, char** argv, const CFileViewerCmdLineInfo& commandLine,
              const std::string& programPath);

// Shows the command-line help dialog and returns when it is closed.
int ShowCommandLineHelpDialog(int argc, char** argv);

}  // namespace logora::ui
