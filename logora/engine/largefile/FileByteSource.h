#pragma once
// Bytes read from a regular file with positioned reads.

#include <string>

#include "logora/engine/largefile/ByteSource.h"
#include "platform/mapping/MappedFile.h"

namespace logora {

class FileByteSource final : public ByteSource
{
public:
    // False (errno set) when the file cannot be opened or is no regular file.
    bool Open(const std::string& path) { return file_.openRead(path); }
    // Why Open refused a file that is no regular file; empty otherwise.
    const std::string& Refusal() const { return file_.refusal(); }

    uint64_t Size() const override { return file_.size(); }
    int64_t ReadAt(uint8_t* data, uint32_t length, uint64_t offset) const override
    {
        return file_.readAt(data, length, offset);
    }

private:
    platform::MappedFile file_;
};

}  // namespace logora
