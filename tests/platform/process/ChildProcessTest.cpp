// A child process started with arguments that quoting easily spoils, its
// standard output collected while it runs; this test program itself is the
// child (it echoes a filter it is given).
#include "platform/process/ChildProcess.h"

#include <gtest/gtest.h>

#include "platform/paths/Paths.h"

namespace {

TEST(ChildProcess, ArgumentsArriveAsGivenAndTheOutputComesBack)
{
    const std::string filter = R"(No "such" case\" at\\ all\ C:\x\\)";
    platform::ChildProcess child;
    std::string error;
    ASSERT_TRUE(
        child.Start(platform::ExecutablePath(), {"--gtest_filter=" + filter, "--gtest_color=no"}, error))
        << error;
    std::string output;
    while (child.IsRunning()) {
        platform::WaitForChildren({&child}, 1000);
        output += child.TakeOutput();
    }
    EXPECT_EQ(child.ExitStatus(), 0);
    const std::string echoed = "Note: Google Test filter = " + filter;
    const size_t at = output.find(echoed);
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_TRUE(output[at + echoed.size()] == '\n' || output[at + echoed.size()] == '\r') << output;

    platform::ChildProcess missing;
    EXPECT_FALSE(missing.Start(platform::JoinPath(platform::TempFolder(), "no-such-program"), {}, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
