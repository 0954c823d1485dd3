// Network paths of the form \\server\share[\rest] and volume roots.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordil {

// Two backslashes, a server name without separators, a backslash or slash and
// a share name that does not start with a separator; at most 260 characters.
bool isUncPath(std::u16string_view path);

struct UncParts
{
    std::u16string server;
    std::u16string share;
    std::u16string rest;  // remaining folders joined with single backslashes
};

// Empty for a path that is not a UNC path.
std::optional<UncParts> splitUncPath(std::u16string_view path);

// The volume root of a path: "\\server\share\" for a UNC path, "X:\" for a
// drive path, empty for anything else (the current folder's volume). Empty
// optional when a UNC-like path has no share. Only backslashes count here.
std::optional<std::u16string> pathRoot(std::u16string_view path);

}  // namespace ordil
