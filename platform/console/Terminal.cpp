#include "platform/console/Terminal.h"

#include <unistd.h>

namespace platform {

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) == 1;
}

bool StandardOutputIsTerminal()
{
    return isatty(STDOUT_FILENO) == 1;
}

}  // namespace platform
