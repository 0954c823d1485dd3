#pragma once
// The window program: the main window, and with one file parameter that file
// opened in command-line mode.

namespace logora {
class CFileViewerCmdLineInfo;
}

namespace logora::ui {

// Returns the program's exit code.
int RunViewer(int argc, char** argv, const CFileViewerCmdLineInfo& commandLine);

// Shows the command-line help dialog and returns when it is closed.
int ShowCommandLineHelpDialog(int argc, char** argv);

}  // namespace logora::ui
