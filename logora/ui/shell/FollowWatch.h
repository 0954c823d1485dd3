#pragma once
// Watches a followed document's input on a thread of its own and tells the
// interface thread, by a queued signal, that it may have changed. Wakes
// that come while one is still unanswered, or soon after the last, are
// folded into one, so a writer that never pauses costs a few looks a second.

#include <QObject>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace platform {
class FileWatcher;
}

namespace logora::ui {

class FollowWatch : public QObject
{
    Q_OBJECT
public:
    // `path` is UTF-8.
    FollowWatch(const std::string& path, QObject* parent);
    // Stops the watch and waits for its thread.
    ~FollowWatch() override;

    // Called as the input is looked at, before it is read: a change from now
    // on is told again.
    void Answered() { told_ = false; }

signals:
    void MayHaveChanged();

private:
    void Watch();

    std::unique_ptr<platform::FileWatcher> watcher_;
    std::atomic<bool> told_{false};
    std::thread thread_;
};

}  // namespace logora::ui
