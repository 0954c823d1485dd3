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

bool StandardErrorRedrawsLines()
{
    const HANDLE console = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (GetConsoleMode(console, &mode) == 0) return false;
    // Consoles before Windows 10 print the sequences as text.
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

}  // namespace platform
