// Starting the default handler: the target arrives as one argument, with no
// shell in between to interpret it.
#include "platform/launch/DefaultHandler.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/guidara/support/HelpSandbox.h"

namespace guidara_test {
namespace {

TEST(DefaultHandler, PassesTheTargetAsOneUninterpretedArgument)
{
    HelpSandbox sandbox;
    const std::string marker = (sandbox.Root() / "ran").string();
    const std::string target = "/help/a b;touch " + marker + " $(touch " + marker + ") 'q\" `x`.htm";
    EXPECT_TRUE(platform::OpenWithDefaultHandler(target));
    EXPECT_EQ(sandbox.WaitForOpened(1), std::vector<std::string>{OpenedRecord(target)});
    EXPECT_FALSE(std::filesystem::exists(marker));
}

TEST(DefaultHandler, ReportsAHandlerThatCannotStart)
{
    HelpSandbox sandbox;
    sandbox.RemoveOpener();
    sandbox.SetEnv("PATH", (sandbox.Root() / "bin").string());
    EXPECT_FALSE(platform::OpenWithDefaultHandler("/help/page.htm"));
    EXPECT_FALSE(platform::OpenWithDefaultHandler(""));
}

}  // namespace
}  // namespace guidara_test
