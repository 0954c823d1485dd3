// Splits a path into drive, folder, name and extension the way the callers'
// platform does: both "\" and "/" end the folder part, the extension starts at
// the last full stop of what follows and includes it.
#pragma once

#include <string_view>

namespace ordil {

struct PathParts
{
    std::u16string_view drive;
    std::u16string_view folder;
    std::u16string_view name;
    std::u16string_view extension;
};

PathParts splitPath(std::u16string_view path);

}  // namespace ordil
