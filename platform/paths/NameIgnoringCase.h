#pragma once
// Finding a file by a name written in another letter case, as the stations
// that write these files never tell "LOG" from "log".

#include <string>

namespace platform {

// `path` when it exists; else the file in its folder whose name equals
// `path`'s name without regard to ASCII case (the first in byte order when
// several do); else `path`.
std::string FindIgnoringCase(const std::string& path);

}  // namespace platform
