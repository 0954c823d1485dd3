#include "platform/process/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/paths/Paths.h"
#include "platform/signals/Interrupts.h"

extern char** environ;

namespace platform {

namespace {

// An unnamed file in the temporary folder, gone once the last descriptor is.
FileDescriptor UnnamedTemporaryFile()
{
    const std::string folder = TempFolder();
    int descriptor = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (descriptor < 0) {
        // File systems without O_TMPFILE: a named file, unlinked at once.
        std::string name = JoinPath(folder, "logora-child-XXXXXX");
        descriptor = mkostemp(name.data(), O_CLOEXEC);
        if (descriptor >= 0) unlink(name.c_str());
    }
    return FileDescriptor(descriptor);
}

int StatusOf(int waitStatus)
{
    if (WIFEXITED(waitStatus)) return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus)) return 128 + WTERMSIG(waitStatus);
    return 1;
}

class SpawnActions
{
public:
    SpawnActions() { posix_spawn_file_actions_init(&actions_); }
    ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
    SpawnActions(const SpawnActions&) = delete;
    SpawnActions& operator=(const SpawnActions&) = delete;
    posix_spawn_file_actions_t* Get() { return &actions_; }

private:
    posix_spawn_file_actions_t actions_;
};

}  // namespace

ChildProcess::~ChildProcess()
{
    while (IsRunning()) Collect(true);
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                         std::string& error)
{
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
        error = std::strerror(errno);
        return false;
    }
    FileDescriptor readEnd(pipeEnds[0]);
    FileDescriptor writeEnd(pipeEnds[1]);
    FileDescriptor errorFile = UnnamedTemporaryFile();
    if (!errorFile.IsOpen()) {
        error = std::string("no temporary file for its messages: ") + std::strerror(errno);
        return false;
    }
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), writeEnd.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), errorFile.Get(), STDERR_FILENO);

    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    pid_t processId = 0;
    const int result = posix_spawn(&processId, program.c_str(), actions.Get(), nullptr, argv.data(), environ);
    if (result != 0) {
        error = std::strerror(result);
        return false;
    }
    processId_ = processId;
    output_ = std::move(readEnd);
    errorFile_ = std::move(errorFile);
    return true;
}

std::string ChildProcess::ErrorOutput() const
{
    std::string text;
    if (!errorFile_.IsOpen()) return text;
    char buffer[4096];
    for (off_t offset = 0;;) {
        const ssize_t count = pread(errorFile_.Get(), buffer, sizeof buffer, offset);
        if (count <= 0) break;
        text.append(buffer, static_cast<size_t>(count));
        offset += count;
    }
    return text;
}

void ChildProcess::PassOnInterrupt() const
{
    if (IsRunning()) platform::PassOnInterrupt(processId_);
}

void ChildProcess::Collect(bool block)
{
    if (!IsRunning()) return;
    if (output_.IsOpen()) {
        const int flags = fcntl(output_.Get(), F_GETFL);
        fcntl(output_.Get(), F_SETFL, block ? flags & ~O_NONBLOCK : flags | O_NONBLOCK);
        char buffer[4096];
        for (;;) {
            const int64_t count = output_.Read(buffer, sizeof buffer);
            if (count > 0) {
                pending_.append(buffer, static_cast<size_t>(count));
                continue;
            }
            if (count == 0 || errno != EAGAIN) output_.Close();
            break;
        }
    }
    if (output_.IsOpen()) return;
    int waitStatus = 0;
    pid_t ended = 0;
    do {
        ended = waitpid(processId_, &waitStatus, block ? 0 : WNOHANG);
    } while (ended < 0 && errno == EINTR && block);
    if (ended == processId_) {
        exitStatus_ = StatusOf(waitStatus);
        processId_ = 0;
    } else if (ended < 0 && errno != EINTR) {
        exitStatus_ = 1;
        processId_ = 0;
    }
}

void WaitForChildren(const std::vector<ChildProcess*>& children, int milliseconds)
{
    std::vector<pollfd> watched;
    for (ChildProcess* child : children) {
        if (child->IsRunning() && child->OutputDescriptor() >= 0)
            watched.push_back({child->OutputDescriptor(), POLLIN, 0});
    }
    // A signal ends the wait early (poll is never restarted). Children whose
    // output is closed are about to end: look again soon.
    poll(watched.data(), watched.size(), watched.empty() ? std::min(milliseconds, 10) : milliseconds);
    for (ChildProcess* child : children) child->Collect(false);
}

}  // namespace platform
