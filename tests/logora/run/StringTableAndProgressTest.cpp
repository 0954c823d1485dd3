#include <gtest/gtest.h>

#include "TestContext.h"
#include "logora/engine/run/ConsoleProgress.h"
#include "logora/engine/run/RunState.h"
#include "logora/engine/run/StringTable.h"

namespace {

TEST(StringTable, TextsByNumber)
{
    EXPECT_EQ(logora::LoadString(10014), "Save File As CSV File");
    EXPECT_EQ(logora::LoadString(32800), "Convert log file error");
    EXPECT_EQ(logora::LoadString(61454), "Converting Blendcraft file to dBase file!");
    EXPECT_EQ(logora::LoadString(129), "\nPlantiva View File Viewer");
    EXPECT_EQ(logora::LoadString(4), "");
    EXPECT_EQ(logora::FormatString(10010, "C:/a.log"), "Converting file: C:/a.log");
    EXPECT_EQ(logora::FormatString(32800, "ignored"), "Convert log file error");
}

TEST(RunProgress, PercentFollowsTheRatioRule)
{
    struct Case
    {
        uint32_t total, done;
        int percent;
    };
    for (Case c : {Case{0, 0, 100}, Case{200, 50, 25}, Case{3, 1, 33}, Case{7, 7, 100},
                   Case{4294967295u, 4294967295u, 100}}) {
        EXPECT_EQ(logora::ProgressPercent(c.total, c.done), c.percent) << c.total << "/" << c.done;
    }
}

TEST(RunProgress, ConsoleProgressNeverCancels)
{
    logora::ConsoleProgress progress;
    progress.SetMessage("Converting file: x");
    progress.SetProgress(200, 50);
    EXPECT_FALSE(progress.IsCancelled());
    EXPECT_EQ(progress.Percent(), 25);
    EXPECT_EQ(progress.Message(), "Converting file: x");
}

class FakeDialog : public logora::ControlProcess
{
public:
    void SetProgress(uint32_t, uint32_t) override {}
    bool IsCancelled() override { return true; }
    void SetMessage(const std::string&) override {}
};

TEST(RunProgress, TheWindowServesCommandLineModeToo)
{
    // A viewer started with one file runs in command-line mode: its window
    // still shows the progress, as it asks nothing.
    logora::test::TestContext viewer;
    viewer.context.progress = [](const std::string&, const std::string&) {
        return std::make_unique<FakeDialog>();
    };
    EXPECT_TRUE(viewer.context.OpenProgress("Save File As CSV File", "x")->IsCancelled());
    viewer.run.EnterCommandLineMode("/no/such/folder/logora");
    EXPECT_TRUE(viewer.context.OpenProgress("Save File As CSV File", "x")->IsCancelled());

    logora::test::TestContext batch;
    batch.run.EnterCommandLineMode("/no/such/folder/logora");
    auto console = batch.context.OpenProgress("Save File As CSV File", "Converting file: x");
    EXPECT_FALSE(console->IsCancelled());
    EXPECT_NE(dynamic_cast<logora::ConsoleProgress*>(console.get()), nullptr);
}

}  // namespace
