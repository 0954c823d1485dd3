#pragma once
// An output that replaces its target in one step: everything is written to a
// temporary file in the target's folder, which is renamed over the target on
// Commit. A file that is never committed (a failure, an early return, an
// exception) is deleted by the destructor, so the file that was there before
// stays untouched.

#include <string>

namespace platform {

class ReplacementFile
{
public:
    ReplacementFile() = default;
    ~ReplacementFile();
    ReplacementFile(const ReplacementFile&) = delete;
    ReplacementFile& operator=(const ReplacementFile&) = delete;

    // Creates the temporary file next to `targetPath`. False when the folder
    // does not exist or is not writable; errno tells why.
    bool Begin(const std::string& targetPath);

    // Where to write until Commit; empty before Begin and after Commit/Discard.
    const std::string& TemporaryPath() const { return temporaryPath_; }
    const std::string& TargetPath() const { return targetPath_; }

    // Gives the file the permissions of a newly created file and renames it
    // over the target; with `flushToDisk` the bytes reach the disk first, so
    // even a power cut leaves the old or the new file. The caller must have
    // closed its own handles first. False (and the temporary file deleted)
    // when any step fails.
    bool Commit(bool flushToDisk = true);

    // Deletes the temporary file; the target stays as it was.
    void Discard();

private:
    std::string targetPath_;
    std::string temporaryPath_;
};

}  // namespace platform
