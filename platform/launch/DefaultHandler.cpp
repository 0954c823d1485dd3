#include "platform/launch/DefaultHandler.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

namespace {

constexpr const char* kHandlerProgram = "xdg-open";
constexpr char kStarted = '1';
constexpr char kNotStarted = '0';

// Runs in the intermediate child: starts the handler and reports through the
// pipe whether that worked. posix_spawnp reports a failed exec too.
[[noreturn]] void SpawnHandlerAndExit(const std::string& target, int reportFd)
{
    char* argv[] = {const_cast<char*>(kHandlerProgram), const_cast<char*>(target.c_str()), nullptr};
    pid_t handler = 0;
    const char report = posix_spawnp(&handler, kHandlerProgram, nullptr, nullptr, argv, environ) == 0
                            ? kStarted
                            : kNotStarted;
    ssize_t written = 0;
    do {
        written = write(reportFd, &report, 1);
    } while (written < 0 && errno == EINTR);
    _exit(0);
}

// The intermediate child's report; kNotStarted when it ended without one.
char ReadReport(int reportFd)
{
    char report = kNotStarted;
    ssize_t got = 0;
    do {
        got = read(reportFd, &report, 1);
    } while (got < 0 && errno == EINTR);
    return got == 1 ? report : kNotStarted;
}

}  // namespace

bool OpenWithDefaultHandler(const std::string& target)
{
    if (target.empty()) return false;
    // The report comes through a pipe, not the exit status: a host program
    // that ignores SIGCHLD has its children reaped at once, so waitpid cannot
    // tell how the intermediate child ended.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) return false;
    // Double fork: the handler becomes a child of init, so it outlives us
    // without ever becoming a zombie of the calling program.
    const pid_t intermediate = fork();
    if (intermediate == 0) {
        close(report[0]);
        SpawnHandlerAndExit(target, report[1]);
    }
    close(report[1]);
    const bool started = intermediate > 0 && ReadReport(report[0]) == kStarted;
    close(report[0]);
    if (intermediate > 0) {
        // Reaps the intermediate child; fails harmlessly with ECHILD when the
        // system has reaped it already.
        while (waitpid(intermediate, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
    return started;
}

}  // namespace platform
