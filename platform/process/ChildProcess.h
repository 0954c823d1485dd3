#pragma once
// Programs run beside this one. A child's standard output comes back through
// a pipe that is read while it runs; its standard error goes to an unnamed
// temporary file that is read once it has ended, so the lines of children
// that run at once never interleave. Its standard input is the null device.

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/files/FileDescriptor.h"

namespace platform {

class ChildProcess
{
public:
    ChildProcess() = default;
    // Waits for a child that still runs, so none is left behind unseen.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `program` with `arguments` (without the program name). False
    // with `error` when it could not be started.
    bool Start(const std::string& program, const std::vector<std::string>& arguments, std::string& error);
    // Starts a copy of this process (where CanStartCopies()) that runs
    // `work` with the same standard streams a started program gets, then
    // ends with its result: everything loaded so far is shared, and no
    // program is loaded anew. Call it with no other thread running.
    bool StartCopy(const std::function<int()>& work, std::string& error);

    bool IsRunning() const { return processId_ > 0; }
    // What it wrote to its standard output since the last call.
    std::string TakeOutput() { return std::exchange(pending_, {}); }
    // Once it has ended: its exit status, or 128 + the signal that ended it.
    int ExitStatus() const { return exitStatus_; }
    // Once it has ended: everything it wrote to its standard error.
    std::string ErrorOutput() const;
    // Passes the interrupt this process received on to the child.
    void PassOnInterrupt() const;

    // Reads what is there to read and notes whether the child has ended;
    // `block` waits for the end once its standard output is closed.
    void Collect(bool block);
    int OutputDescriptor() const { return output_.Get(); }
    // Readable once the child has ended; -1 where the system has none.
    int EndDescriptor() const { return end_.Get(); }

private:
    // POSIX: the child now runs, writing to the pipe `output` and `errorFile`.
    void Started(int processId, FileDescriptor output, FileDescriptor errorFile);

    int processId_ = 0;
#ifdef _WIN32
    void* processHandle_ = nullptr;  // open until it has ended
#endif
    int exitStatus_ = 0;
    FileDescriptor output_;
    FileDescriptor errorFile_;
    FileDescriptor end_;
    std::string pending_;
};

// Whether ChildProcess::StartCopy works here (not on Windows).
bool CanStartCopies();

// Returns when one of `children` wrote output or ended, when a signal came,
// or after `milliseconds`; the ended ones are no longer IsRunning().
void WaitForChildren(const std::vector<ChildProcess*>& children, int milliseconds);

}  // namespace platform
