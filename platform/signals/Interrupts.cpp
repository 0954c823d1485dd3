#include "platform/signals/Interrupts.h"

#include <signal.h>

#include <atomic>

namespace platform {

namespace {

volatile sig_atomic_t caughtSignal = 0;
// How many EndOnInterrupt live, on any thread.
std::atomic<int> endingAtOnce{0};

void Catch(int signalNumber)
{
    caughtSignal = signalNumber;
    if (endingAtOnce > 0) {
        signal(signalNumber, SIG_DFL);
        raise(signalNumber);
    }
}

}  // namespace

void CatchInterrupts()
{
    struct sigaction action
    {
    };
    action.sa_handler = Catch;
    sigemptyset(&action.sa_mask);
    // Restarted system calls: a write cut short must not look like a failure.
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

bool Interrupted()
{
    return caughtSignal != 0;
}

int InterruptExitStatus()
{
    return caughtSignal == 0 ? 0 : 128 + caughtSignal;
}

void PassOnInterrupt(int processId)
{
    if (processId > 0) kill(processId, caughtSignal == 0 ? SIGINT : caughtSignal);
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
