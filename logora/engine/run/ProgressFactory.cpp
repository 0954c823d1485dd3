#include "logora/engine/run/ProgressFactory.h"

#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/RunState.h"

namespace logora {

static ProgressFactory& InstalledFactory()
{
    static ProgressFactory factory;
    return factory;
}

void SetProgressFactory(ProgressFactory factory)
{
    InstalledFactory() = std::move(factory);
}

std::unique_ptr<ControlProcess> OpenProgress(const std::string& caption, const std::string& message)
{
    const ProgressFactory& factory = InstalledFactory();
    if (!IsCommandLineMode() && factory) {
        if (std::unique_ptr<ControlProcess> windowed = factory(caption, message)) return windowed;
    }
    auto console = std::make_unique<CConsoleProgress>();
    console->SetMessage(message);
    return console;
}

}  // namespace logora
