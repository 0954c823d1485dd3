#include <windows.h>

#include <atomic>

#include "platform/signals/Interrupts.h"

namespace platform {

namespace {

// Windows has no request to terminate that a program can catch: Ctrl+Break
// counts as Ctrl+C does, with the status shells give a run cut short by it.
constexpr int kInterruptedStatus = 130;

std::atomic<bool> caught{false};
// How many EndOnInterrupt live, on any thread.
std::atomic<int> endingAtOnce{0};

BOOL WINAPI Catch(DWORD event)
{
    switch (event) {
        case CTRL_C_EVENT:
        case CTRL_BREAK_EVENT:
            caught = true;
            if (endingAtOnce > 0) ExitProcess(kInterruptedStatus);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace

void CatchInterrupts()
{
    SetConsoleCtrlHandler(Catch, TRUE);
}

bool Interrupted()
{
    return caught;
}

int InterruptExitStatus()
{
    return caught ? kInterruptedStatus : 0;
}

void PassOnInterrupt(int processId)
{
    // Children run in a process group of their own (Ctrl+C reaches only the
    // parent), where Ctrl+Break is the event that can be sent.
    if (processId > 0) GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, DWORD(processId));
}

EndOnInterrupt::EndOnInterrupt()
{
    ++endingAtOnce;
}

EndOnInterrupt::~EndOnInterrupt()
{
    --endingAtOnce;
}

}  // namespace platform
