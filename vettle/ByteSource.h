#pragma once
// Random-access bytes of the file under check. The detection reads through
// this interface so that tests and the fuzzer can check bytes held in memory.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files/InputFile.h"

namespace vettle {

class IByteSource
{
public:
    virtual ~IByteSource() = default;
    virtual int64_t Size() const = 0;
    // Copies up to `count` bytes from `offset`; the number copied (0 at the end,
    // fewer than asked for may come before it), or -1 on a read error, with
    // errno telling why.
    virtual int64_t ReadAt(int64_t offset, void* buffer, size_t count) = 0;
};

class CMemoryByteSource : public IByteSource
{
public:
    explicit CMemoryByteSource(std::string_view bytes) : bytes_(bytes) {}
    int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
    int64_t ReadAt(int64_t offset, void* buffer, size_t count) override;

private:
    std::string_view bytes_;
};

// A regular file opened for reading with the sequential-access hint.
class CFileByteSource : public IByteSource
{
public:
    using OpenResult = platform::InputFile::OpenResult;

    // Missing when the path names nothing; NotOpened when it cannot be read as
    // a regular file (a folder, a device, no permission).
    OpenResult Open(const std::string& path);

    int64_t Size() const override { return file_.Size(); }
    int64_t ReadAt(int64_t offset, void* buffer, size_t count) override
    {
        return file_.ReadAt(offset, buffer, count);
    }

private:
    platform::InputFile file_;
};

}  // namespace vettle
