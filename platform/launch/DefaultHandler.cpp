#include "platform/launch/DefaultHandler.h"

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace platform {

namespace {

constexpr const char* kHandlerProgram = "xdg-open";
constexpr int kStartedStatus = 0;
constexpr int kNotStartedStatus = 127;

// Runs in the intermediate child: starts the handler and reports through the
// exit status whether that worked. posix_spawnp reports a failed exec too.
[[noreturn]] void SpawnHandlerAndExit(const std::string& target)
{
    char* argv[] = {const_cast<char*>(kHandlerProgram), const_cast<char*>(target.c_str()), nullptr};
    pid_t handler = 0;
    const int rc = posix_spawnp(&handler, kHandlerProgram, nullptr, nullptr, argv, environ);
    _exit(rc == 0 ? kStartedStatus : kNotStartedStatus);
}

}  // namespace

bool OpenWithDefaultHandler(const std::string& target)
{
    if (target.empty()) return false;
    // Double fork: the handler becomes a child of init, so it outlives us
    // without ever becoming a zombie of the calling program, while the short
    // wait below tells whether it could be started at all.
    const pid_t intermediate = fork();
    if (intermediate < 0) return false;
    if (intermediate == 0) SpawnHandlerAndExit(target);

    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(intermediate, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == intermediate && WIFEXITED(status) && WEXITSTATUS(status) == kStartedStatus;
}

}  // namespace platform
