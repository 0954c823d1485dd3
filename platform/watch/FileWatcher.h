#pragma once
// Waits for a file that another program keeps writing to change. The
// folder is watched rather than the file, so that a file replaced by a
// rename, removed or created anew is seen too. Where the system offers no
// notification the file's size and modification time are compared every
// kPollInterval instead. A wake means "it may have changed": the caller
// reads the file to learn whether and how.

#include <chrono>
#include <memory>
#include <string>

namespace platform {

class FileWatcher
{
public:
    static constexpr std::chrono::milliseconds kPollInterval{250};

    enum class Wake { Changed, TimedOut, Stopped };
    enum class Method { Notifications, Polling };

    // Watches the file at `path` (UTF-8) by `method`, polling when its
    // folder cannot be watched.
    explicit FileWatcher(const std::string& path, Method method = Method::Notifications);
    ~FileWatcher();
    FileWatcher(const FileWatcher&) = delete;
    FileWatcher& operator=(const FileWatcher&) = delete;

    // Returns when the file may have changed since the last Wait (or since
    // the watcher began), after `timeout`, or at once once Stop was called.
    Wake Wait(std::chrono::milliseconds timeout);
    // Ends the current Wait and every later one; may be called from any
    // thread.
    void Stop();
    // True when the system's notifications could not be had.
    bool IsPolling() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace platform
