#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace guidara {

// The per-user folder of the working copy: the user's cache folder
// ($XDG_CACHE_HOME, else ~/.cache) followed by "Quorvi Zerovuvuru/Temp/".
std::optional<std::string> WorkingCopyFolder();

// File name of the working copy inside WorkingCopyFolder().
inline constexpr const char* kWorkingCopyName = "Norvix9.0 Mappings.csv";

// Writes `content` to the working copy and reads it back; returns what was
// read, or nullopt with `problem` saying why. The two folders below the
// cache folder are created private to the user and must be real folders
// owned by the user; the copy is written to a fresh file and renamed into
// place, so a planted link or another user's file is never written through.
std::optional<std::string> RefreshWorkingCopy(std::string_view content, std::string& problem);

}  // namespace guidara
