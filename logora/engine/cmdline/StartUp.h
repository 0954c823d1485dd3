#pragma once
// What the program does after parsing its command line.

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"

namespace logora {

class RunState;

enum class StartAction {
    ShowHelp,  // "?" was given: the help, nothing else
    Batch,     // two or more file parameters
    Window,    // the viewer, with one file parameter or none
};

StartAction ChooseStartAction(const CFileViewerCmdLineInfo& info);

// Hands the alarm log version, alarm setup file and time offset of the
// command line to the run state.
void ApplyToRunState(const CFileViewerCmdLineInfo& info, RunState& state);

}  // namespace logora
