#pragma once

#include <string>

namespace platform {

// Hands `target` (a file path or URL) to the desktop's default handler,
// `xdg-open`, as its one argument, started without a shell so that no
// character of the path is interpreted. The handler runs detached: the call
// neither waits for it nor leaves a child process behind to be reaped.
// Returns true when the handler program was started.
bool OpenWithDefaultHandler(const std::string& target);

}  // namespace platform
