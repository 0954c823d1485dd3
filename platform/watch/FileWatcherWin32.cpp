#include <windows.h>

#include <algorithm>
#include <atomic>

#include "platform/watch/FileWatcher.h"
#include "platform/win32/WideText.h"

namespace platform {

namespace {

// What the polling fallback compares.
struct FileStamp
{
    bool exists = false;
    uint64_t size = 0;
    uint64_t modified = 0;

    bool operator==(const FileStamp&) const = default;
};

FileStamp StampOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return {};
    return {true, (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow,
            (uint64_t{data.ftLastWriteTime.dwHighDateTime} << 32) | data.ftLastWriteTime.dwLowDateTime};
}

}  // namespace

struct FileWatcher::State
{
    std::wstring path;
    HANDLE change = INVALID_HANDLE_VALUE;
    HANDLE stop = nullptr;
    std::atomic<bool> stopped{false};
    FileStamp last;

    ~State()
    {
        if (change != INVALID_HANDLE_VALUE) FindCloseChangeNotification(change);
        if (stop != nullptr) CloseHandle(stop);
    }
};

FileWatcher::FileWatcher(const std::string& path, Method method) : state_(std::make_unique<State>())
{
    State& s = *state_;
    s.path = Widen(path);
    const size_t slash = path.find_last_of("/\\");
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    s.stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (method == Method::Notifications) {
        // Renames show as name changes, appends as size and write time.
        s.change = FindFirstChangeNotificationW(
            Widen(folder).c_str(), FALSE,
            FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_FILE_NAME);
    }
    s.last = StampOf(s.path);
}

FileWatcher::~FileWatcher() = default;

bool FileWatcher::IsPolling() const
{
    return state_->change == INVALID_HANDLE_VALUE;
}

void FileWatcher::Stop()
{
    state_->stopped = true;
    if (state_->stop != nullptr) SetEvent(state_->stop);
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
        const bool polling = s.change == INVALID_HANDLE_VALUE;
        const auto wait = polling ? std::min(left, kPollInterval) : left;
        const HANDLE handles[2] = {s.stop, s.change};
        const DWORD woken =
            WaitForMultipleObjects(polling ? 1 : 2, handles, FALSE, static_cast<DWORD>(wait.count()) + 1);
        if (s.stopped || woken == WAIT_OBJECT_0) return Wake::Stopped;
        if (!polling) {
            if (woken == WAIT_OBJECT_0 + 1) {
                // Rearmed before the file is read, so that no later change is missed.
                if (!FindNextChangeNotification(s.change)) {
                    FindCloseChangeNotification(s.change);
                    s.change = INVALID_HANDLE_VALUE;
                }
                s.last = StampOf(s.path);
                return Wake::Changed;
            }
            if (woken == WAIT_FAILED) {
                FindCloseChangeNotification(s.change);
                s.change = INVALID_HANDLE_VALUE;
            }
            continue;
        }
        if (woken == WAIT_FAILED) Sleep(static_cast<DWORD>(wait.count()));
        const FileStamp now = StampOf(s.path);
        if (!(now == s.last)) {
            s.last = now;
            return Wake::Changed;
        }
    }
}

}  // namespace platform
