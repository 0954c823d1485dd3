#include "logora/ui/app/Commands.h"

namespace logora::ui {

std::string_view CommandPromptFor(int id)
{
    if (id >= kRecentFile1 && id < kRecentFile1 + 4) return "Open this document";
    for (const CommandPrompt& command : kCommandPrompts)
        if (command.id == id) return command.prompt;
    return {};
}

}  // namespace logora::ui
