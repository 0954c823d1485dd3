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
    if (!IsCommandLineMode() && progress) {
        if (std::unique_ptr<ControlProcess> windowed = progress(caption, message)) return windowed;
    }
    auto console = std::make_unique<CConsoleProgress>();
    console->SetMessage(message);
    return console;
}

CDocumentDialogs* EngineContext::Dialogs() const
{
    return IsCommandLineMode() ? nullptr : dialogs;
}

}  // namespace logora
