#include "logora/ui/shell/FollowWatch.h"

#include "platform/watch/FileWatcher.h"

namespace logora::ui {

namespace {

// A watch that times out still looks now and then, for a change the
// notifications missed.
constexpr std::chrono::seconds kLookAtLeastEvery{2};

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
    for (;;) {
        const platform::FileWatcher::Wake wake = watcher_->Wait(kLookAtLeastEvery);
        if (wake == platform::FileWatcher::Wake::Stopped) return;
        if (told_.exchange(true)) continue;
        // Queued to this object's thread; dropped should it be gone by then.
        QMetaObject::invokeMethod(this, &FollowWatch::MayHaveChanged, Qt::QueuedConnection);
    }
}

}  // namespace logora::ui
