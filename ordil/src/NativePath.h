// Paths as this platform's file system takes them.
#pragma once

#include <string>
#include <string_view>

namespace ordil {

// The path in UTF-8, with "\" turned into "/". A UNC path \\server\share\rest
// names a share of another machine, which exists here only where it is
// mounted: as the folder <root>/server/share or <root>/share under one of the
// mount roots (ORDIL_SHARE_ROOTS, colon-separated; /mnt and /media when unset
// or empty); the rest stays inside that folder. Fails for a missing path, a
// path with a drive part (no drives exist here), a path that begins with two
// backslashes but names no mounted share, and text that is not valid UTF-16.
bool toNativePath(std::u16string_view path, std::string& native);

}  // namespace ordil
