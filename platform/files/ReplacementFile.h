#pragma once
// An output that replaces its target in one step: everything is written to a
// temporary file in the target's folder, which is renamed over the target on
// Commit. A target that is a symbolic link stays one: the file at the end of
// its chain of links is the one replaced, except that in a folder everyone may
// write to and that has the sticky bit (/tmp), a link is followed only when it
// belongs to this user or to the folder's owner, as the system's own rule for
// such folders has it; another user's link there could otherwise send the
// output over any file of ours. A file that is never committed (a failure, an
// early return, an exception) is deleted by the destructor, so the file that
// was there before stays untouched.
//
// On POSIX systems the temporary file .partial-<6 characters> is locked while
// its object lives, and each Begin removes the temporary files of this user
// that a killed run left in that folder (their lock is free).

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
    // writable, the links form a loop, or a link may not be followed; errno
    // and Failure tell why.
    bool Begin(const std::string& targetPath);
    // Why the last Begin failed, naming the file; empty after one that did not.
    const std::string& Failure() const { return failure_; }

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
    std::string failure_;
    int lockFd_ = -1;  // POSIX: holds the temporary file's lock
};

// Removes what killed runs left in `folder` now, and has every later Begin
// there, in this process and in copies of it made later, leave that to this
// call: a batch run's copies would otherwise each read the whole growing
// folder. Nothing to do on Windows.
void RemoveLeftoverReplacements(const std::string& folder);

}  // namespace platform
