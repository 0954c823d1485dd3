#pragma once
// Ctrl+C and a request to terminate, turned into a flag that long operations
// poll, so that they stop at a safe point, remove what they had begun and end
// with the status a shell expects of a process ended by that signal.

namespace platform {

// From now on SIGINT and SIGTERM (on Windows Ctrl+C and Ctrl+Break) only
// mark the run as interrupted.
void CatchInterrupts();

// Whether SIGINT or SIGTERM came since CatchInterrupts.
bool Interrupted();

// 130 after SIGINT, 143 after SIGTERM (128 + the signal number), 130 after
// either on Windows; 0 when neither came.
int InterruptExitStatus();

// Sends the interrupt that came (SIGINT when none did; Ctrl+Break on Windows)
// to process `processId`.
void PassOnInterrupt(int processId);

// While one lives, an interrupt ends the process at once, as it would without
// CatchInterrupts: for a wait that cannot poll the flag, such as a write to a
// pipe whose reader stopped reading.
class EndOnInterrupt
{
public:
    EndOnInterrupt();
    ~EndOnInterrupt();
    EndOnInterrupt(const EndOnInterrupt&) = delete;
    EndOnInterrupt& operator=(const EndOnInterrupt&) = delete;
};

}  // namespace platform
