#include "logora/engine/document/ProgramContext.h"

#include "logora/engine/document/AppOptions.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/CAppSettings.h"

namespace logora {

EngineContext& ProgramContext()
{
    static EngineContext context{
        .settings = AppSettings(), .options = AppOptions(), .run = RunState(), .codePage = ActiveCodePage()};
    return context;
}

}  // namespace logora
