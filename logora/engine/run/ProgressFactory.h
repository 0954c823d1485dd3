#pragma once
// Where long operations get their progress reporter. At a window the viewer
// installs a factory that opens its progress dialog; in command-line mode, and
// while no factory is installed, the reporter shows nothing and never cancels.

#include <functional>
#include <memory>
#include <string>

#include "logora/engine/run/ControlProcess.h"

namespace logora {

// Opens a progress reporter with a caption and a first message line.
using ProgressFactory =
    std::function<std::unique_ptr<ControlProcess>(const std::string& caption, const std::string& message)>;

void SetProgressFactory(ProgressFactory factory);

// A reporter for one operation, destroyed by the caller at its end.
std::unique_ptr<ControlProcess> OpenProgress(const std::string& caption, const std::string& message);

}  // namespace logora
