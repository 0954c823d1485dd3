#include "logora/engine/document/ProgramContext.h"

#include "logora/engine/document/AppOptions.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"

namespace logora {

EngineContext& ProgramContext()
{
    static EngineContext context{.settings = ProgramAppSettings(),
                                 .options = ProgramAppOptions(),
                                 .run = ProgramRunState(),
                                 .codePage = ActiveCodePage()};
    return context;
}

}  // namespace logora
