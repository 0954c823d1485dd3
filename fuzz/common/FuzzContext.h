#pragma once
// The engine context of a harness: settings that are never loaded or saved
// (every value at its default), reports of bad inputs going nowhere, code
// page 1252.

#include <string>
#include <string_view>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/CAppSettings.h"

namespace fuzzsupport {

inline logora::EngineContext& FuzzContext()
{
    static logora::CAppSettings settings{std::string()};
    static logora::CAppOptions options;
    static logora::CRunState run;
    static logora::EngineContext context = [] {
        run.SetMessageBoxSink([](std::string_view, std::string_view) {});
        return logora::EngineContext{.settings = settings, .options = options, .run = run};
    }();
    return context;
}

}  // namespace fuzzsupport
