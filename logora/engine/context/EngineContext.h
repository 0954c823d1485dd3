#pragma once
// What the document and every converter it starts are handed instead of
// reading process-wide state: the settings, the display options, the run state
// that reports failures and holds what the command line gave, the progress
// reporters, the questions the document may ask, and the code page of 8-bit
// texts. The program and the viewer build one at start-up; tests build their
// own.

#include <functional>
#include <memory>
#include <string>

#include "logora/engine/run/ControlProcess.h"
#include "logora/engine/text/CodePage.h"

namespace logora {

class AppSettings;
class DocumentDialogs;
class RunState;
struct AppOptions;

// Opens a progress reporter with a caption and a first message line; null
// leaves the operation to a reporter that shows nothing.
using ProgressFactory =
    std::function<std::unique_ptr<ControlProcess>(const std::string& caption, const std::string& message)>;

struct EngineContext
{
    AppSettings& settings;
    const AppOptions& options;
    RunState& run;
    // The viewer's progress window, in command-line mode too; empty in a batch run.
    ProgressFactory progress = {};
    // A batch run's progress line on a terminal; empty where nothing is shown.
    ProgressFactory batchProgress = {};
    // The viewer's dialogs (not owned); null where nothing may be asked.
    DocumentDialogs* dialogs = nullptr;
    int codePage = kCodePageFallback;

    // A reporter for one operation, destroyed by the caller at its end: the
    // viewer's window, else the batch run's line in command-line mode, else
    // one that shows nothing and is cancelled only by an interrupt (Ctrl+C,
    // SIGTERM).
    std::unique_ptr<ControlProcess> OpenProgress(const std::string& caption,
                                                 const std::string& message) const;
    // The dialogs, or null in command-line mode, where nothing may be asked.
    DocumentDialogs* Dialogs() const;
    bool IsCommandLineMode() const;
};

}  // namespace logora
