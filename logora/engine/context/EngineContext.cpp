#include "logora/engine/context/EngineContext.h"

#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/RunState.h"

namespace logora {

bool EngineContext::IsCommandLineMode() const
{
    return run.IsCommandLineMode();
}

std::unique_ptr<ControlProcess> EngineContext::OpenProgress(const std::string& caption,
                                                            const std::string& message) const
{
    // The window asks nothing, so it serves a viewer started with one file
    // (command-line mode) too; a batch run has none.
    const ProgressFactory& factory = progress || !IsCommandLineMode() ? progress : batchProgress;
    if (factory) {
        if (std::unique_ptr<ControlProcess> installed = factory(caption, message)) return installed;
    }
    auto console = std::make_unique<ConsoleProgress>();
    console->SetMessage(message);
    return console;
}

DocumentDialogs* EngineContext::Dialogs() const
{
    return IsCommandLineMode() ? nullptr : dialogs;
}

}  // namespace logora
