#include <fcntl.h>
#include <io.h>

#include <climits>
#include <cstdio>

#include "platform/files/OutputFile.h"
#include "platform/win32/Handles.h"

namespace platform {

OutputFile::~OutputFile()
{
    Close();
}

bool OutputFile::Open(const std::string& path)
{
    Close();
    failed_ = false;
    descriptor_ = OpenDescriptor(path, OpenMode::Write, Existing::CreateOrTruncate);
    ownsDescriptor_ = true;
    return descriptor_ >= 0;
}

bool OutputFile::OpenStandardOutput()
{
    Close();
    failed_ = false;
    std::fflush(stdout);
    descriptor_ = _fileno(stdout);
    ownsDescriptor_ = false;
    // The bytes as they are: no CR before each LF.
    return descriptor_ >= 0 && _setmode(descriptor_, _O_BINARY) != -1;
}

bool OutputFile::Write(const void* data, size_t length)
{
    if (descriptor_ < 0) failed_ = true;
    const char* at = static_cast<const char*>(data);
    while (!failed_ && length > 0) {
        // The C runtime moves at most INT_MAX bytes per call.
        const int written = _write(descriptor_, at, unsigned(length < INT_MAX ? length : INT_MAX));
        failed_ = written <= 0;
        if (failed_) break;
        at += written;
        length -= size_t(written);
    }
    return !failed_;
}

bool OutputFile::Close()
{
    if (descriptor_ < 0) return !failed_;
    if (ownsDescriptor_ && _close(descriptor_) != 0) failed_ = true;
    descriptor_ = -1;
    return !failed_;
}

}  // namespace platform
