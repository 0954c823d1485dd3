#pragma once
// An engine context of the test's own: settings in a file of its own that
// starts empty (never the user's), display options at their defaults, a run
// state of its own (at a window, messages to standard error until a test
// collects them), code page 1252, no progress window and no dialogs.

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

#include "logora/engine/context/AppOptions.h"
#include "logora/engine/context/EngineContext.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/settings/AppSettings.h"

namespace logora::test {

struct TestContext
{
    TestContext() : settings(FreshSettingsPath()) {}
    ~TestContext() { std::filesystem::remove(settings.Path()); }
    TestContext(const TestContext&) = delete;
    TestContext& operator=(const TestContext&) = delete;

    operator EngineContext&() { return context; }

    AppSettings settings;
    AppOptions options;
    RunState run;
    EngineContext context{
        .settings = settings, .options = options, .run = run, .codePage = kCodePageFallback};

private:
    static std::string FreshSettingsPath()
    {
        static std::atomic<int> count{0};
        const auto path =
            std::filesystem::temp_directory_path() /
            ("logora-test-settings-" + std::to_string(::getpid()) + "-" + std::to_string(++count) + ".ini");
        std::filesystem::remove(path);
        return path.string();
    }
};

}  // namespace logora::test
