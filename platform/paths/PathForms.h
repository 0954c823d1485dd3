#pragma once
// A path in other forms: completed against the current folder, or with its
// links and "." and ".." resolved, so that two spellings of one file compare
// equal.

#include <string>

namespace platform {

// The process's current folder; empty when it cannot be learnt.
std::string CurrentFolder();

// `path` completed against the current folder, otherwise as written (no "."
// or ".." removed on POSIX systems); `path` itself when that fails.
std::string AbsolutePath(const std::string& path);

// `path` with links followed and "." and ".." resolved as far as it exists,
// the rest appended as written; `path` itself when that fails.
std::string CanonicalPath(const std::string& path);

}  // namespace platform
