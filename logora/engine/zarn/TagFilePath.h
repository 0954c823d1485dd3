#pragma once
// Where the tag file of a Zarn data file lives, and whether a file is one.

#include <string>

namespace logora {

// The data file's path up to the last "(" of its file name, followed by
// "(Tagname).DAT"; a file name without "(" keeps its folder and its name up
// to the extension.
std::string TagFileNameFor(const std::string& dataPath);
// TagFileNameFor; when that exact name does not exist, a file in the same
// folder whose name differs only in letter case is taken instead.
std::string TagFilePathFor(const std::string& dataPath);

// Whether the path's last 13 characters are "(TAGNAME).DAT", in any case.
bool IsTagFilePath(const std::string& path);

}  // namespace logora
