#pragma once
// Completes the single file named on the command line to an absolute path.

#include <string>

namespace logora {

// A parameter that starts with "/" or contains "//" is used as it stands;
// any other is appended to `currentDirectory` with one "/" between them.
std::string MakeAbsolutePath(const std::string& parameter, const std::string& currentDirectory);

// The same against the process's current directory.
std::string MakeAbsolutePath(const std::string& parameter);

}  // namespace logora
