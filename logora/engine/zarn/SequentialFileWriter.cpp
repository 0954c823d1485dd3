#include "logora/engine/zarn/SequentialFileWriter.h"

#include <fcntl.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace logora {

namespace {

constexpr size_t kBufferSize = 1 << 20;

}  // namespace

SequentialFileWriter::~SequentialFileWriter()
{
    if (fd_ < 0) return;
    try {
        Flush();
    } catch (const FileWriteError&) {
        // The owner already left by an exception or never closed: nothing to report to.
    }
    ::close(fd_);
}

bool SequentialFileWriter::Open(const std::string& path)
{
    fd_ = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    path_ = path;
    buffer_.reserve(kBufferSize);
    return fd_ >= 0;
}

void SequentialFileWriter::Write(const void* data, size_t length)
{
    const auto* bytes = static_cast<const uint8_t*>(data);
    if (buffer_.size() + length > kBufferSize) Flush();
    if (length >= kBufferSize) {
        WriteOut(bytes, length);
        return;
    }
    buffer_.insert(buffer_.end(), bytes, bytes + length);
}

void SequentialFileWriter::WriteZeros(size_t count)
{
    static const uint8_t kZeros[256] = {};
    while (count > 0) {
        const size_t piece = count < sizeof kZeros ? count : sizeof kZeros;
        Write(kZeros, piece);
        count -= piece;
    }
}

void SequentialFileWriter::Flush()
{
    if (buffer_.empty()) return;
    try {
        WriteOut(buffer_.data(), buffer_.size());
    } catch (const FileWriteError&) {
        buffer_.clear();  // never retried: the file is already short
        throw;
    }
    buffer_.clear();
}

void SequentialFileWriter::WriteOut(const uint8_t* data, size_t length)
{
    if (fd_ < 0) throw FileWriteError(path_ + ": not open for writing");
    while (length > 0) {
        const ssize_t done = ::write(fd_, data, length);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) {
            throw FileWriteError(path_ + ": cannot be written at byte " + std::to_string(written_) + ": " +
                                 std::strerror(done < 0 ? errno : EIO));
        }
        data += done;
        length -= size_t(done);
        written_ += uint64_t(done);
    }
}

void SequentialFileWriter::Overwrite(uint64_t offset, const void* data, size_t length)
{
    Flush();
    if (fd_ < 0 || ::pwrite(fd_, data, length, off_t(offset)) != ssize_t(length)) {
        throw FileWriteError(path_ + ": cannot rewrite");
    }
}

void SequentialFileWriter::Close()
{
    if (fd_ < 0) return;
    Flush();
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) throw FileWriteError(path_ + ": " + std::strerror(errno));
}

}  // namespace logora
