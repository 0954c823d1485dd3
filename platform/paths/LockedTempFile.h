#pragma once
// Temporary files that show whether their owner still lives: each is held
// under an advisory lock for as long as its object exists. The system drops
// the lock when the owner ends in any way (a kill, a crash, a power loss), so
// a later start can remove what a dead owner left behind and never a file in
// use. On Windows the open handle is the lock, and the system deletes the
// file when it closes, however the owner ends.

#include <cstddef>
#include <string>

namespace platform {

class LockedTempFile
{
public:
    LockedTempFile() = default;
    ~LockedTempFile() { remove(); }
    LockedTempFile(const LockedTempFile&) = delete;
    LockedTempFile& operator=(const LockedTempFile&) = delete;

    // Creates a new empty file named <prefix><6 unique characters><suffix> in
    // `folder` and locks it. False (errno set) when no file could be created.
    bool create(const std::string& folder, const std::string& prefix, const std::string& suffix);
    // Deletes the file, then lets go of its lock.
    void remove();
    // Empty while no file is held.
    const std::string& path() const { return path_; }

private:
    std::string path_;
    int fd_ = -1;
};

// Removes the files <prefix><6 characters><suffix> of `folder` that belong to
// this user and whose lock can be taken: their owner ended without deleting
// them. A prefix and suffix that only this program gives its files keep the
// files of other programs out of it. Returns how many were removed; always
// none on Windows, where the system deleted each file as its owner ended.
size_t RemoveAbandonedTempFiles(const std::string& folder, const std::string& prefix,
                                const std::string& suffix);

}  // namespace platform
