#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <optional>
#include <string>

#include "platform/console/Terminal.h"

namespace {

// Standard error on `descriptor` for one test, with TERM set or unset.
class StandardErrorOn
{
public:
    StandardErrorOn(int descriptor, const char* term) : saved_(dup(STDERR_FILENO))
    {
        if (const char* old = getenv("TERM")) oldTerm_ = old;
        term ? setenv("TERM", term, 1) : unsetenv("TERM");
        dup2(descriptor, STDERR_FILENO);
    }
    ~StandardErrorOn()
    {
        dup2(saved_, STDERR_FILENO);
        close(saved_);
        oldTerm_ ? setenv("TERM", oldTerm_->c_str(), 1) : unsetenv("TERM");
    }

private:
    int saved_;
    std::optional<std::string> oldTerm_;
};

TEST(Terminal, ProgressLinesAreRedrawnOnlyOnATerminalThatIsNotDumb)
{
    const int terminal = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(terminal, 0);
    ASSERT_EQ(grantpt(terminal), 0);
    ASSERT_EQ(unlockpt(terminal), 0);
    const int user = open(ptsname(terminal), O_RDWR | O_NOCTTY);
    ASSERT_GE(user, 0);
    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    {
        StandardErrorOn on(user, "xterm-256color");
        EXPECT_TRUE(platform::StandardErrorIsTerminal());
        EXPECT_TRUE(platform::StandardErrorRedrawsLines());
    }
    for (const char* dumb : {"dumb", "", static_cast<const char*>(nullptr)}) {
        StandardErrorOn on(user, dumb);
        EXPECT_TRUE(platform::StandardErrorIsTerminal());
        EXPECT_FALSE(platform::StandardErrorRedrawsLines()) << (dumb ? dumb : "TERM unset");
    }
    {
        StandardErrorOn on(pipeEnds[1], "xterm");
        EXPECT_FALSE(platform::StandardErrorRedrawsLines());
    }
    for (int descriptor : {terminal, user, pipeEnds[0], pipeEnds[1]}) close(descriptor);
}

}  // namespace
