#include "platform/watch/FileWatcher.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>

namespace platform {

namespace {

// What the polling fallback compares: a replacement shows as another inode.
struct FileStamp
{
    bool exists = false;
    off_t size = 0;
    ino_t inode = 0;
    int64_t modifiedNanoseconds = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::string& path)
{
    struct stat info
    {
    };
    if (::stat(path.c_str(), &info) != 0) return {};
    return {true, info.st_size, info.st_ino,
            int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec};
}

constexpr uint32_t kFolderEvents = IN_MODIFY | IN_CLOSE_WRITE | IN_ATTRIB | IN_CREATE | IN_DELETE |
                                   IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

}  // namespace

struct FileWatcher::State
{
    std::string path;
    std::string name;
    int notifications = -1;
    int stopRead = -1;
    int stopWrite = -1;
    std::atomic<bool> stopped{false};
    FileStamp last;

    ~State()
    {
        for (int descriptor : {notifications, stopRead, stopWrite})
            if (descriptor >= 0) ::close(descriptor);
    }

    void FallBackToPolling()
    {
        if (notifications >= 0) ::close(notifications);
        notifications = -1;
    }

    // Drains the pending events; true when one concerns the file or the
    // folder itself, or events were lost.
    bool ReadEvents()
    {
        alignas(inotify_event) char buffer[4096];
        bool concerned = false;
        for (;;) {
            const ssize_t length = ::read(notifications, buffer, sizeof buffer);
            if (length <= 0) return concerned;
            for (ssize_t at = 0; at < length;) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                const char* eventName = buffer + at + sizeof event;
                if (event.mask & (IN_Q_OVERFLOW | IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED))
                    concerned = true;
                if (event.len > 0 && name == eventName) concerned = true;
                if (event.mask & IN_IGNORED) FallBackToPolling();
                at += static_cast<ssize_t>(sizeof event + event.len);
            }
            if (notifications < 0) return concerned;
        }
    }
};

FileWatcher::FileWatcher(const std::string& path, Method method) : state_(std::make_unique<State>())
{
    State& s = *state_;
    s.path = path;
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    s.name = slash == std::string::npos ? path : path.substr(slash + 1);
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) == 0) {
        s.stopRead = pipeEnds[0];
        s.stopWrite = pipeEnds[1];
    }
    if (method == Method::Notifications) s.notifications = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (s.notifications >= 0 && ::inotify_add_watch(s.notifications, folder.c_str(), kFolderEvents) < 0)
        s.FallBackToPolling();
    s.last = StampOf(path);
}

FileWatcher::~FileWatcher() = default;

bool FileWatcher::IsPolling() const
{
    return state_->notifications < 0;
}

void FileWatcher::Stop()
{
    state_->stopped = true;
    const char wake = 1;
    if (state_->stopWrite >= 0) (void)!::write(state_->stopWrite, &wake, 1);
}

FileWatcher::Wake FileWatcher::Wait(std::chrono::milliseconds timeout)
{
    State& s = *state_;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        if (s.stopped) return Wake::Stopped;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return Wake::TimedOut;
        const bool polling = s.notifications < 0;
        pollfd waits[2] = {{s.stopRead, POLLIN, 0}, {s.notifications, POLLIN, 0}};
        const auto wait = polling ? std::min(left, kPollInterval) : left;
        // The ceiling, so that a timeout below a millisecond does not spin.
        const int ready = ::poll(waits, polling ? 1 : 2, static_cast<int>(wait.count()) + 1);
        if (s.stopped || (ready > 0 && (waits[0].revents & POLLIN))) return Wake::Stopped;
        if (!polling) {
            if (ready > 0 && s.ReadEvents()) {
                s.last = StampOf(s.path);
                return Wake::Changed;
            }
            continue;
        }
        const FileStamp now = StampOf(s.path);
        if (!(now == s.last)) {
            s.last = now;
            return Wake::Changed;
        }
    }
}

}  // namespace platform
