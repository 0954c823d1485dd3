#pragma once
// Copying a file's bytes over another file.

#include <string>

namespace platform {

// Copies the regular file `source` over `target`; any other source (a pipe,
// a device, a folder) fails at once, before anything is read. Where the target's folder
// can be written, the copy goes to a temporary file beside the target first,
// so a failed copy (or a copy of a file onto itself) never destroys the
// target; that file, with the source's permissions, is then renamed over the
// target, or, when the target has other names (hard or symbolic links) that
// must see the new content, copied into it. Where the folder cannot be
// written, the target itself is rewritten, as long as it can be. True when
// the target holds the source's bytes.
bool CopyFileOnto(const std::string& source, const std::string& target);

}  // namespace platform
