#pragma once
// A small text a program keeps for the current user between runs, read and
// replaced whole: on Windows the value "Index" of a subkey of the program's
// profile key HKEY_CURRENT_USER\Software\<company>\<application>, elsewhere a
// file in a folder of the user's state folder, private to the user.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>

namespace platform {

struct KeptTextPlace
{
    // On Windows: the profile key's parts and the subkey in it.
    std::string company;
    std::string application;
    std::string subkey;
    // Elsewhere: the folder in the state folder and the file in it.
    std::string folder;
    std::string file;
};

class KeptText
{
public:
    virtual ~KeptText() = default;

    // Nullopt when nothing is kept, or it cannot be read, or holds more than
    // `maxSize` bytes.
    virtual std::optional<std::string> Read(size_t maxSize) const = 0;
    // Replaces what is kept; false when it could not be kept.
    virtual bool Write(const std::string& text) = 0;
};

std::unique_ptr<KeptText> OpenKeptText(const KeptTextPlace& place);

}  // namespace platform
