// Copies a file's bytes, overwriting the target. Where the target's folder
// can be written, the copy goes to a temporary file beside the target first,
// so a failed copy (or a copy of a file onto itself) never destroys the
// target; that file is then renamed over the target, or, when the target has
// other names (hard or symbolic links) that must see the new content, copied
// into it. Where the folder cannot be written, the target itself is rewritten,
// as long as it can be.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/FileDescriptor.h"
#include "ordil/src/NativePath.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <vector>

using namespace ordil;

namespace {

bool writeAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        ssize_t written = ::write(fd, data, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        data += written;
        size -= size_t(written);
    }
    return true;
}

bool copyContent(int from, int to, std::vector<char>& buffer)
{
    while (true) {
        ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        if (!writeAll(to, buffer.data(), size_t(got))) return false;
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
bool copyInto(int from, const std::string& target, std::vector<char>& buffer)
{
    FileDescriptor out(::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
    if (!out.isOpen()) return false;
    bool copied = copyContent(from, out.get(), buffer);
    return out.close() && copied;
}

bool copyFile(const std::string& source, const std::string& target)
{
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status;
    if (!in.isOpen() || fstat(in.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    struct stat existing;
    bool targetIsFile = ::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
    if (targetIsFile && sameFile(status, existing)) return true;  // it already holds the content

    std::vector<char> buffer(65536);
    std::string temporary = target + ".XXXXXX";
    FileDescriptor staged(mkostemp(temporary.data(), O_CLOEXEC));
    if (!staged.isOpen()) return targetIsFile && copyInto(in.get(), target, buffer);

    bool copied = copyContent(in.get(), staged.get(), buffer);
    if (targetIsFile && hasOtherNames(target, existing)) {
        copied = copied && ::lseek(staged.get(), 0, SEEK_SET) == 0 && copyInto(staged.get(), target, buffer);
        ::unlink(temporary.c_str());
        return copied;
    }
    copied = copied && fchmod(staged.get(), status.st_mode & 07777) == 0;
    copied = staged.close() && copied;
    if (copied && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace

extern "C" int UtlFileCopy(const char16_t* source, const char16_t* target)
{
    return guarded(0, [&] {
        std::string from;
        std::string to;
        return int(source && target && toNativePath(source, from) && toNativePath(target, to) &&
                   copyFile(from, to));
    });
}
