#pragma once
// Progress of an operation that runs unattended: nothing is shown, and only
// an interrupt (Ctrl+C, SIGTERM) cancels it. Keeps the last values so callers
// and tests can read them.

#include "logora/engine/run/ControlProcess.h"
#include "platform/signals/Interrupts.h"

namespace logora {

class ConsoleProgress : public ControlProcess
{
public:
    void SetProgress(uint32_t total, uint32_t done) override
    {
        total_ = total;
        done_ = done;
    }
    bool IsCancelled() override { return platform::Interrupted(); }
    void SetMessage(const std::string& text) override { message_ = text; }

    int Percent() const { return ProgressPercent(total_, done_); }
    const std::string& Message() const { return message_; }

private:
    uint32_t total_ = 0;
    uint32_t done_ = 0;
    std::string message_;
};

}  // namespace logora
