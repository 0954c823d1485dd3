#include <array>
#include <cerrno>
#include <cstring>

#include "platform/compound/CompoundLayout.h"
#include "platform/files/InputFile.h"
#include "platform/files/RegularFile.h"

namespace platform {

std::string ReadAllAt(InputFile& file, const std::string& path, uint64_t offset, std::span<uint8_t> out)
{
    size_t got = 0;
    while (got < out.size()) {
        const int64_t read =
            file.ReadAt(static_cast<int64_t>(offset + got), out.data() + got, out.size() - got);
        const std::string at = path + ": cannot be read at byte " + std::to_string(offset + got) + ": ";
        if (read < 0) return at + std::strerror(errno);
        if (read == 0) return at + "the file became shorter";
        got += static_cast<size_t>(read);
    }
    return {};
}

bool FileStartsWithCompoundSignature(const std::string& path)
{
    InputFile file;
    std::array<uint8_t, 8> head{};
    return file.OpenRegular(path) == InputFile::OpenResult::Opened &&
           ReadAllAt(file, path, 0, head).empty() && StartsWithCompoundSignature(head);
}

CompoundLayoutCheck CheckCompoundFileLayout(const std::string& path)
{
    InputFile file;
    if (file.OpenRegular(path) != InputFile::OpenResult::Opened) {
        const FileCheck check = RegularFileCheck(path);
        return {CompoundLayoutCheck::Outcome::Unreadable,
                check.why.empty() ? path + ": cannot be opened for reading" : check.why};
    }
    return CheckCompoundLayout(
        static_cast<uint64_t>(file.Size()),
        [&](uint64_t offset, std::span<uint8_t> out) { return ReadAllAt(file, path, offset, out); });
}

}  // namespace platform
