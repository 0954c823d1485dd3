// The watcher wakes for what happens to its file, by notification and by
// polling alike, and for nothing else in the folder.
#include "platform/watch/FileWatcher.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

using platform::FileWatcher;
using namespace std::chrono_literals;

#ifdef _WIN32
constexpr bool kFolderWide = true;
#else
constexpr bool kFolderWide = false;
#endif

void Append(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::app) << text;
}

class FileWatcherTest : public ::testing::TestWithParam<FileWatcher::Method>
{
protected:
    logora::testing::ScratchDir dir_;
    std::string file_ = dir_.file("trend.log");
};

TEST_P(FileWatcherTest, WakesForAppendsAndReplacementsOfItsFileOnly)
{
    Append(file_, "a");
    FileWatcher watcher(file_, GetParam());
    EXPECT_EQ(watcher.IsPolling(), GetParam() == FileWatcher::Method::Polling);
    EXPECT_EQ(watcher.Wait(50ms), FileWatcher::Wake::TimedOut);

    // Windows tells of changes in the folder only, whichever file they were.
    Append(dir_.file("other.log"), "b");
    if (!kFolderWide || GetParam() == FileWatcher::Method::Polling) {
        EXPECT_EQ(watcher.Wait(600ms), FileWatcher::Wake::TimedOut);
    }
    while (watcher.Wait(300ms) == FileWatcher::Wake::Changed) {
    }

    Append(file_, "bb");
    EXPECT_EQ(watcher.Wait(1s), FileWatcher::Wake::Changed);
    // The same append is not reported twice once its events are drained.
    while (watcher.Wait(300ms) == FileWatcher::Wake::Changed) {
    }

    Append(dir_.file("new.log"), "ccc");
    std::filesystem::rename(dir_.file("new.log"), file_);
    EXPECT_EQ(watcher.Wait(1s), FileWatcher::Wake::Changed);
}

TEST_P(FileWatcherTest, StopEndsAWaitFromAnotherThreadAndEveryLaterOne)
{
    Append(file_, "a");
    FileWatcher watcher(file_, GetParam());
    std::thread stopper([&] {
        std::this_thread::sleep_for(50ms);
        watcher.Stop();
    });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(watcher.Wait(10s), FileWatcher::Wake::Stopped);
    EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
    stopper.join();
    EXPECT_EQ(watcher.Wait(10s), FileWatcher::Wake::Stopped);
}

INSTANTIATE_TEST_SUITE_P(Methods, FileWatcherTest,
                         ::testing::Values(FileWatcher::Method::Notifications, FileWatcher::Method::Polling),
                         [](const auto& info) {
                             return info.param == FileWatcher::Method::Polling ? "Polling" : "Notifications";
                         });

}  // namespace
