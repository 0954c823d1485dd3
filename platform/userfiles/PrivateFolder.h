#pragma once
// A folder held open, so that names inside it are reached without following
// a link planted on the way to it. What it creates is for the current user
// alone.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "platform/files/FileDescriptor.h"

namespace platform {

class PrivateFolder
{
public:
    // The step at which ReplaceFile stopped.
    enum class ReplaceStep { Done, Create, Write, Rename };

    // Opens the folder `path`, following links to it.
    bool Open(const std::string& path, std::error_code& error);
    // Opens folder `name` inside `parent`, refusing a link of that name.
    bool OpenInside(const PrivateFolder& parent, const std::string& name, std::error_code& error);

    bool IsOpen() const { return descriptor_.IsOpen(); }
    // False also when the owner cannot be learnt.
    bool OwnedByUser() const;

    // Creates folder `name` inside this one unless something of that name
    // exists.
    bool MakeFolder(const std::string& name, std::error_code& error) const;

    // Writes `content` to a new file under a fresh hidden name and renames it
    // to `name`, which replaces a file or link of that name rather than
    // writing through it. On failure the new file is gone, `error` says why
    // and the result the step that failed.
    ReplaceStep ReplaceFile(const std::string& name, std::string_view content, std::error_code& error) const;

    // The content of the regular file `name`, never read through a link.
    // Nullopt with `error` when it cannot be opened; nullopt with `error`
    // clear when it is no regular file or holds more than `maxSize` bytes.
    std::optional<std::string> ReadFile(const std::string& name, uint64_t maxSize,
                                        std::error_code& error) const;

private:
    FileDescriptor descriptor_;
};

}  // namespace platform
