#include <windows.h>

#include "platform/console/Terminal.h"

namespace platform {

namespace {

// A console, not a file, a pipe or the NUL device (which _isatty counts as
// a terminal).
bool IsConsole(DWORD stream)
{
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(stream), &mode) != 0;
}

}  // namespace

bool StandardErrorIsTerminal()
{
    return IsConsole(STD_ERROR_HANDLE);
}

bool StandardOutputIsTerminal()
{
    return IsConsole(STD_OUTPUT_HANDLE);
}

}  // namespace platform
