#include "platform/files/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <vector>

#include "platform/files/FileDescriptor.h"

namespace platform {

namespace {

bool copyContent(FileDescriptor& from, FileDescriptor& to, std::vector<char>& buffer)
{
    while (true) {
        int64_t got = from.Read(buffer.data(), buffer.size());
        if (got < 0) return false;
        if (got == 0) return true;
        if (!to.WriteAll(buffer.data(), size_t(got))) return false;
    }
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether the existing regular file at `target` is reached by other names too:
// replacing it would leave them with the old content.
bool hasOtherNames(const std::string& target, const struct stat& existing)
{
    struct stat link;
    return existing.st_nlink > 1 || (::lstat(target.c_str(), &link) == 0 && S_ISLNK(link.st_mode));
}

// Truncates the target and writes the rest of `from` into it; the target keeps
// its mode, owner and every name it has.
bool copyInto(FileDescriptor& from, const std::string& target, std::vector<char>& buffer)
{
    FileDescriptor out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!out.IsOpen()) return false;
    bool copied = copyContent(from, out, buffer);
    return out.Close() && copied;
}

}  // namespace

bool CopyFileOnto(const std::string& source, const std::string& target)
{
    // Without waiting for a writer when the source is a named pipe, which is
    // then refused as every other file that is not a regular one.
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat status;
    if (!in.IsOpen() || fstat(in.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    struct stat existing;
    bool targetIsFile = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (targetIsFile && sameFile(status, existing)) return true;  // it already holds the content

    std::vector<char> buffer(65536);
    std::string temporary = target + ".XXXXXX";
    FileDescriptor staged(mkostemp(temporary.data(), O_CLOEXEC));
    if (!staged.IsOpen()) return targetIsFile && copyInto(in, target, buffer);

    bool copied = copyContent(in, staged, buffer);
    if (targetIsFile && hasOtherNames(target, existing)) {
        copied = copied && ::lseek(staged.Get(), 0, SEEK_SET) == 0 && copyInto(staged, target, buffer);
        ::unlink(temporary.c_str());
        return copied;
    }
    copied = copied && fchmod(staged.Get(), status.st_mode & 07777) == 0;
    copied = staged.Close() && copied;
    if (copied && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace platform
