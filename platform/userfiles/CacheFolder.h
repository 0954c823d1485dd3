#pragma once
// The current user's cache folder.

#include <optional>
#include <string>
#include <system_error>

namespace platform {

// $XDG_CACHE_HOME when it is an absolute path, else .cache in the home
// folder: $HOME when absolute, else the password database's entry for the
// effective user. Nullopt when none of these is known.
std::optional<std::string> UserCacheFolder();

// Creates the absolute `path` and every missing folder above it, each new one
// private to the user. False with `error` when a level cannot be created.
bool MakePrivateFolders(const std::string& path, std::error_code& error);

}  // namespace platform
