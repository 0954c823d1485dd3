#pragma once
// The engine context of a harness: settings that are never loaded or saved
// (every value at its default), reports of bad inputs going nowhere, code
// page 1252.

#include <string>
#include <string_view>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"

namespace fuzzsupport {

inline logora::EngineContext& FuzzContext()
{
    static logora::AppSettings settings{std::string()};
    static logora::AppOptions options;
    static logora::RunState run;
    static logora::EngineContext context = [] {
        run.SetMessageBoxSink([](std::string_view, std::string_view) {});
        return logora::EngineContext{.settings = settings, .options = options, .run = run};
    }();
    return context;
}

}  // namespace fuzzsupport
