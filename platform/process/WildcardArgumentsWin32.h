#pragma once
// Windows shells hand `*.log` to the program as it is; the program expands
// it itself, as the C runtime's wildcard expansion would.
#include <string>
#include <vector>

namespace platform {

// Each argument with `*` or `?` that names no existing file becomes the files
// its last part matches, sorted by name, in the argument's folder; it is kept
// as it is when none matches. Switches ("/?") and options ("-x") stay as given.
std::vector<std::string> WithWildcardsExpanded(const std::vector<std::string>& arguments);

}  // namespace platform
