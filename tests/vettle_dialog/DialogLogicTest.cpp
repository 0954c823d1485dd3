// Small pieces of the dialog mode: the percentage shown, the name filters,
// and the help library loaded at run time.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "tests/guidara/support/HelpSandbox.h"
#include "vettle/dialog/DialogTexts.h"
#include "vettle/dialog/HelpLibrary.h"
#include "vettle/dialog/NameFilters.h"
#include "vettle/dialog/ProgressText.h"

namespace vettle {
namespace {

TEST(ProgressPercentage, TruncatesAndShowsZeroForNothingSensible)
{
    const struct
    {
        double progress;
        int percent;
    } cases[] = {{0.0, 0},
                 {0.004, 0},
                 {0.5, 50},
                 {0.999, 99},
                 {1.0, 100},
                 {1.2, 120},
                 {-0.5, 0},
                 {std::nan(""), 0},
                 {std::numeric_limits<double>::infinity(), 0},
                 {1e300, std::numeric_limits<int>::max()}};
    for (const auto& c : cases) EXPECT_EQ(ProgressPercentage(c.progress), c.percent) << c.progress;
}

TEST(NameFilters, KeepDescriptionsAndMatchFilesWithoutDot)
{
    EXPECT_EQ(ToNameFilters(kDetectFilter), (QStringList{"CSV Files (*.csv)", "All Files (*)"}));
    EXPECT_EQ(ToNameFilters(kReportFilter), (QStringList{"Text Files (*.txt)", "All Files (*)"}));
}

TEST(HelpLibrary, OpensTheVettlePageThroughTheLoadedLibrary)
{
    guidara_test::HelpSandbox sandbox;
    sandbox.SetEnv("KestraCommonHelpDir", "/help/");
    HelpLibrary library({"/nonexistent/libguidara.so.1", GUIDARA_LIBRARY});
    EXPECT_TRUE(library.InvokeHelp(kHelpFileName, kHelpCommand, kHelpContextId));
    EXPECT_EQ(sandbox.WaitForOpened(1),
              std::vector<std::string>{guidara_test::OpenedRecord("/help/Vettle/Help/1001.htm")});
}

TEST(HelpLibrary, MissingLibraryIsNoFailure)
{
    HelpLibrary library({"/nonexistent/libguidara.so.1"});
    EXPECT_FALSE(library.InvokeHelp(kHelpFileName, kHelpCommand, kHelpContextId));
}

}  // namespace
}  // namespace vettle
