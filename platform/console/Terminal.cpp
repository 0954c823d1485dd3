#include "platform/console/Terminal.h"

#include <unistd.h>

#include <cstdlib>
#include <cstring>

namespace platform {

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

bool StandardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

bool StandardErrorRedrawsLines()
{
    const char* term = std::getenv("TERM");
    return StandardErrorIsTerminal() && term != nullptr && *term != '\0' && std::strcmp(term, "dumb") != 0;
}

}  // namespace platform
