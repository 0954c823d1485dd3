#include "platform/files/OutputFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace platform {

OutputFile::~OutputFile()
{
    Close();
}

bool OutputFile::Open(const std::string& path)
{
    Close();
    failed_ = false;
    // Emptied only when it holds something: a truncation, even of an empty
    // file, has ext4 start writing the file back at its close, which costs
    // each of many small outputs more than its formatting.
    descriptor_ = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    ownsDescriptor_ = true;
    if (descriptor_ < 0) return false;
    struct stat status
    {
    };
    if (fstat(descriptor_, &status) == 0 && (!S_ISREG(status.st_mode) || status.st_size == 0)) return true;
    if (ftruncate(descriptor_, 0) == 0) return true;
    close(descriptor_);
    descriptor_ = -1;
    return false;
}

bool OutputFile::OpenStandardOutput()
{
    Close();
    failed_ = false;
    // What the program printed before comes first.
    std::fflush(stdout);
    descriptor_ = STDOUT_FILENO;
    ownsDescriptor_ = false;
    return true;
}

bool OutputFile::Write(const void* data, size_t length)
{
    if (descriptor_ < 0) failed_ = true;
    const char* at = static_cast<const char*>(data);
    while (!failed_ && length > 0) {
        ssize_t written = write(descriptor_, at, length);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            break;
        }
        at += written;
        length -= static_cast<size_t>(written);
    }
    return !failed_;
}

bool OutputFile::Close()
{
    if (descriptor_ < 0) return !failed_;
    if (ownsDescriptor_ && close(descriptor_) != 0) failed_ = true;
    descriptor_ = -1;
    return !failed_;
}

}  // namespace platform
