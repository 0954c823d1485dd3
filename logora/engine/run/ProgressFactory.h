#pragma once
// Where long operations get their progress reporter. At a window the viewer
// installs a factory that opens its progress dialog; in command-line mode the
// program may install one of its own. Without a factory the reporter shows
// nothing and only an interrupt cancels it.

#include <functional>
#include <memory>
#include <string>

#include "logora/engine/run/ControlProcess.h"

namespace logora {

// Opens a progress reporter with a caption and a first message line.
using ProgressFactory =
    std::function<std::unique_ptr<ControlProcess>(const std::string& caption, const std::string& message)>;

void SetProgressFactory(ProgressFactory factory);
// The reporters of command-line mode (a progress line on a terminal); without
// one they show nothing.
void SetCommandLineProgressFactory(ProgressFactory factory);

// Whether the run was interrupted (Ctrl+C, SIGTERM). A conversion that a
// reporter cancelled for it returns what it has; a batch run writes nothing of
// that.
bool RunInterrupted();

// A reporter for one operation, destroyed by the caller at its end.
std::unique_ptr<ControlProcess> OpenProgress(const std::string& caption, const std::string& message);

}  // namespace logora
