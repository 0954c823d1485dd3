#include "logora/ui/shell/FollowWatch.h"

#include "platform/watch/FileWatcher.h"

namespace logora::ui {

namespace {

// A watch that times out still looks now and then, for a change the
// notifications missed.
constexpr std::chrono::seconds kLookAtLeastEvery{2};
// Changes that come within this time of a look wait for the next one, so a
// writer that never pauses is followed ten times a second, not once a record.
constexpr std::chrono::milliseconds kLeastGap{100};

}  // namespace

FollowWatch::FollowWatch(const std::string& path, QObject* parent)
    : QObject(parent), watcher_(std::make_unique<platform::FileWatcher>(path)), thread_([this] { Watch(); })
{}

FollowWatch::~FollowWatch()
{
    watcher_->Stop();
    thread_.join();
}

void FollowWatch::Watch()
{
    using Clock = std::chrono::steady_clock;
    Clock::time_point lastTold;
    for (;;) {
        if (watcher_->Wait(kLookAtLeastEvery) == platform::FileWatcher::Wake::Stopped) return;
        for (Clock::time_point now = Clock::now(); now < lastTold + kLeastGap; now = Clock::now()) {
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(lastTold + kLeastGap - now);
            if (watcher_->Wait(left) == platform::FileWatcher::Wake::Stopped) return;
        }
        if (told_.exchange(true)) continue;
        lastTold = Clock::now();
        // Queued to this object's thread; dropped should it be gone by then.
        QMetaObject::invokeMethod(this, &FollowWatch::MayHaveChanged, Qt::QueuedConnection);
    }
}

}  // namespace logora::ui
