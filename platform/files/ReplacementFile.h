#pragma once
// An output that replaces its target in one step: everything is written to a
// temporary file in the target's folder, which is renamed over the target on
// Commit. A target that is a symbolic link stays one: the file at the end of
// its chain of links is the one replaced. A file that is never committed (a failure, an early return, an
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

    // Creates the temporary file next to `targetPath`, or next to the file its
    // links lead to. False when that folder does not exist or is not
    // writable, or the links form a loop; errno tells why.
    bool Begin(const std::string& targetPath);

    // Where to write until Commit; empty before Begin and after Commit/Discard.
    const std::string& TemporaryPath() const { return temporaryPath_; }
    const std::string& TargetPath() const { return targetPath_; }

    // Gives the file the permissions of the file it replaces (those of a newly
    // created file when there is none) and renames it over the target; with
    // `flushToDisk` the bytes reach the disk first, so even a power cut leaves
    // the old or the new file. The caller must have closed its own handles
    // first. False (and the temporary file deleted) when any step fails.
    bool Commit(bool flushToDisk = true);

    // Deletes the temporary file; the target stays as it was.
    void Discard();

private:
    std::string targetPath_;
    std::string finalTarget_;
    std::string temporaryPath_;
};

}  // namespace platform
