#include "platform/process/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
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

// The ends of a child's standard output and its file for standard error.
struct ChildStreams
{
    FileDescriptor readEnd;
    FileDescriptor writeEnd;
    FileDescriptor errorFile;

    bool Open(std::string& error)
    {
        int pipeEnds[2];
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
            error = std::strerror(errno);
            return false;
        }
        readEnd = FileDescriptor(pipeEnds[0]);
        writeEnd = FileDescriptor(pipeEnds[1]);
        errorFile = UnnamedTemporaryFile();
        if (errorFile.IsOpen()) return true;
        error = std::string("no temporary file for its messages: ") + std::strerror(errno);
        return false;
    }
};

// A descriptor that turns readable once the process has ended, so a wait
// sees the end at once instead of polling for it.
FileDescriptor EndDescriptorOf(pid_t processId)
{
#ifdef SYS_pidfd_open
    return FileDescriptor(static_cast<int>(syscall(SYS_pidfd_open, processId, 0)));
#else
    (void)processId;
    return FileDescriptor();
#endif
}

}  // namespace

ChildProcess::~ChildProcess()
{
    while (IsRunning()) Collect(true);
}

bool ChildProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                         std::string& error)
{
    ChildStreams streams;
    if (!streams.Open(error)) return false;
    SpawnActions actions;
    posix_spawn_file_actions_addopen(actions.Get(), STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(actions.Get(), streams.writeEnd.Get(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(actions.Get(), streams.errorFile.Get(), STDERR_FILENO);

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
    Started(processId, std::move(streams.readEnd), std::move(streams.errorFile));
    return true;
}

bool ChildProcess::StartCopy(const std::function<int()>& work, std::string& error)
{
    ChildStreams streams;
    if (!streams.Open(error)) return false;
    const int nullDevice = open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (nullDevice < 0) {
        error = std::strerror(errno);
        return false;
    }
    // Buffered lines would otherwise be written twice.
    std::fflush(nullptr);
    const pid_t processId = fork();
    if (processId == 0) {
        if (dup2(nullDevice, STDIN_FILENO) < 0 || dup2(streams.writeEnd.Get(), STDOUT_FILENO) < 0 ||
            dup2(streams.errorFile.Get(), STDERR_FILENO) < 0)
            _exit(127);
        // The descriptors a started program would not have inherited.
        close(nullDevice);
        streams.readEnd.Close();
        streams.writeEnd.Close();
        streams.errorFile.Close();
        // An exception must not leave the copy to run on as this process:
        // it ends it as it would end a started program.
        const int status = [&work]() noexcept { return work(); }();
        std::fflush(nullptr);
        _exit(status);
    }
    close(nullDevice);
    if (processId < 0) {
        error = std::strerror(errno);
        return false;
    }
    Started(processId, std::move(streams.readEnd), std::move(streams.errorFile));
    return true;
}

void ChildProcess::Started(int processId, FileDescriptor output, FileDescriptor errorFile)
{
    processId_ = processId;
    output_ = std::move(output);
    errorFile_ = std::move(errorFile);
    end_ = EndDescriptorOf(processId);
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
    if (!IsRunning()) end_.Close();
}

void WaitForChildren(const std::vector<ChildProcess*>& children, int milliseconds)
{
    std::vector<pollfd> watched;
    bool unwatchedEnd = false;
    for (ChildProcess* child : children) {
        if (!child->IsRunning()) continue;
        const int descriptor =
            child->OutputDescriptor() >= 0 ? child->OutputDescriptor() : child->EndDescriptor();
        if (descriptor >= 0)
            watched.push_back({descriptor, POLLIN, 0});
        else
            unwatchedEnd = true;
    }
    // A signal ends the wait early (poll is never restarted). Children whose
    // output is closed are about to end: without a descriptor for their end,
    // look again soon.
    poll(watched.data(), watched.size(), unwatchedEnd ? std::min(milliseconds, 10) : milliseconds);
    for (ChildProcess* child : children) child->Collect(false);
}

bool CanStartCopies()
{
    return true;
}

}  // namespace platform
