// Copies a file's bytes, overwriting the target. The copy is written to a
// temporary file beside the target and renamed over it at the end, so a
// failed copy (or a copy of a file onto itself) never destroys the target.
#include "ordil/include/ordil.h"
#include "ordil/src/Boundary.h"
#include "ordil/src/FileDescriptor.h"
#include "ordil/src/Text16.h"

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

bool copyFile(const std::string& source, const std::string& target)
{
    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat status;
    if (!in.isOpen() || fstat(in.get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
    std::vector<char> buffer(65536);
    std::string temporary = target + ".XXXXXX";
    FileDescriptor out(mkostemp(temporary.data(), O_CLOEXEC));
    if (!out.isOpen()) return false;
    bool copied = copyContent(in.get(), out.get(), buffer) && fchmod(out.get(), status.st_mode & 07777) == 0;
    copied = out.close() && copied;
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
