#pragma once
// The extension of a path's file name.

#include <string>

namespace logora {

// From the file name's last "." when that dot is not the name's first
// character; empty when there is none. A dot in a folder name never counts.
std::string ExtensionOf(const std::string& path);

// The same in upper case (ASCII).
std::string UpperExtensionOf(const std::string& path);

}  // namespace logora
