// A child process started with arguments that quoting easily spoils, its
// standard output collected while it runs, and a program run in place of
// this process; this test program itself is the child (it echoes a filter
// it is given).
#include "platform/process/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "platform/paths/Paths.h"
#include "platform/process/ProgramInstead.h"

namespace {

// What `child` writes to its standard output until it ends.
std::string OutputToTheEnd(platform::ChildProcess& child)
{
    std::string output;
    while (child.IsRunning()) {
        platform::WaitForChildren({&child}, 1000);
        output += child.TakeOutput();
    }
    return output;
}

TEST(ChildProcess, ArgumentsArriveAsGivenAndTheOutputComesBack)
{
    const std::string filter = R"(No "such" case\" at\\ all\ C:\x\\)";
    platform::ChildProcess child;
    std::string error;
    ASSERT_TRUE(
        child.Start(platform::ExecutablePath(), {"--gtest_filter=" + filter, "--gtest_color=no"}, error))
        << error;
    const std::string output = OutputToTheEnd(child);
    EXPECT_EQ(child.ExitStatus(), 0);
    const std::string echoed = "Note: Google Test filter = " + filter;
    const size_t at = output.find(echoed);
    ASSERT_NE(at, std::string::npos) << output;
    EXPECT_TRUE(output[at + echoed.size()] == '\n' || output[at + echoed.size()] == '\r') << output;

    platform::ChildProcess missing;
    EXPECT_FALSE(missing.Start(platform::JoinPath(platform::TempFolder(), "no-such-program"), {}, error));
    EXPECT_FALSE(error.empty());
}

// A copy of this process: its standard output comes back while it runs, its
// standard error once it has ended, its result is the exit status, and a copy
// that aborts reports the signal like a started program. What this process
// had buffered is not written a second time by the copy.
TEST(ChildProcess, ACopyOfTheProcessRunsItsWorkWithTheStreamsOfAChild)
{
    if (!platform::CanStartCopies()) GTEST_SKIP() << "no copies of a process here";
    std::fputs("unwritten in the parent ", stdout);
    platform::ChildProcess copy;
    std::string error;
    ASSERT_TRUE(copy.StartCopy(
        [] {
            std::fputs("out\n", stdout);
            std::fputs("err\n", stderr);
            return std::getchar() == EOF ? 7 : 8;
        },
        error))
        << error;
    EXPECT_EQ(OutputToTheEnd(copy), "out\n");
    EXPECT_EQ(copy.ErrorOutput(), "err\n");
    EXPECT_EQ(copy.ExitStatus(), 7);

    platform::ChildProcess crashing;
    ASSERT_TRUE(crashing.StartCopy([]() -> int { std::abort(); }, error)) << error;
    while (crashing.IsRunning()) platform::WaitForChildren({&crashing}, 1000);
    EXPECT_EQ(crashing.ExitStatus(), 128 + 6);
}

// A program run in place of this process: this test program again. Where the
// program replaces the process, a copy of this one is replaced, so that its
// output comes back through the copy's pipe; on Windows the call waits for
// the program and gives its status.
TEST(ProgramInstead, TheProgramRunsWithTheArgumentsAndEndsWithItsStatus)
{
    const std::vector<std::string> arguments{"--gtest_filter=No.such_case", "--gtest_color=no"};
    std::string error;
    if (platform::CanStartCopies()) {
        platform::ChildProcess copy;
        ASSERT_TRUE(copy.StartCopy(
            [&] {
                std::string notStarted;
                return platform::RunProgramInstead(platform::ExecutablePath(), "named", arguments,
                                                   notStarted);
            },
            error))
            << error;
        const std::string output = OutputToTheEnd(copy);
        EXPECT_EQ(copy.ExitStatus(), 0) << copy.ErrorOutput();
        EXPECT_NE(output.find("Note: Google Test filter = No.such_case"), std::string::npos) << output;
    } else {
        EXPECT_EQ(platform::RunProgramInstead(platform::ExecutablePath(), "named", arguments, error), 0)
            << error;
    }
    EXPECT_EQ(platform::RunProgramInstead(platform::JoinPath(platform::TempFolder(), "no-such-program"),
                                          "named", {}, error),
              -1);
    EXPECT_FALSE(error.empty());
}

}  // namespace
