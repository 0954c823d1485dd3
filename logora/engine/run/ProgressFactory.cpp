#include "logora/engine/run/ProgressFactory.h"

#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/RunState.h"
#include "platform/signals/Interrupts.h"

namespace logora {

static ProgressFactory& InstalledFactory(bool commandLine)
{
    static ProgressFactory windowed;
    static ProgressFactory unattended;
    return commandLine ? unattended : windowed;
}

void SetProgressFactory(ProgressFactory factory)
{
    InstalledFactory(false) = std::move(factory);
}

void SetCommandLineProgressFactory(ProgressFactory factory)
{
    InstalledFactory(true) = std::move(factory);
}

bool RunInterrupted()
{
    return platform::Interrupted();
}

std::unique_ptr<ControlProcess> OpenProgress(const std::string& caption, const std::string& message)
{
    const ProgressFactory& factory = InstalledFactory(IsCommandLineMode());
    if (factory) {
        if (std::unique_ptr<ControlProcess> installed = factory(caption, message)) return installed;
    }
    auto console = std::make_unique<CConsoleProgress>();
    console->SetMessage(message);
    return console;
}

}  // namespace logora
