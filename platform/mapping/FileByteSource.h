#pragma once
// The bytes of a regular file, read with positioned reads in place of a
// mapping: a file cut short while it is read gives short reads, never a
// signal.

#include <string>

#include "common/bytes/ByteSource.h"
#include "platform/mapping/MappedFile.h"

namespace platform {

class FileByteSource final : public common::ByteSource
{
public:
    enum class OpenResult { Opened, Missing, NotOpened };

    // Opens a regular file for reading. Missing when the path names nothing;
    // NotOpened when what it names cannot be read as a regular file (a
    // folder, a device, a pipe, no permission). errno tells why either failed.
    OpenResult Open(const std::string& path);
    // Why Open refused something that is there but no regular file, naming
    // it and what it is; empty otherwise.
    const std::string& Refusal() const { return file_.Refusal(); }

    uint64_t Size() const override { return file_.Size(); }
    int64_t ReadAt(uint8_t* data, size_t length, uint64_t offset) const override
    {
        return file_.ReadAt(data, length, offset);
    }

private:
    MappedFile file_;
};

}  // namespace platform
