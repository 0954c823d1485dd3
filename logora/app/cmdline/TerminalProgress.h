#pragma once
// Progress of a batch run for a person or for the run that started it.
// TerminalProgress draws one self-updating line on standard error (a
// terminal); ProgressLines writes "<done> <total>" lines to standard output
// for a batch run over several inputs that started this one. Both at most ten
// times a second, and both cancelled by an interrupt as ConsoleProgress is.

#include <string>

#include "logora/app/cmdline/ProgressText.h"
#include "logora/engine/run/ConsoleProgress.h"

namespace logora {

class TerminalProgress : public ConsoleProgress
{
public:
    explicit TerminalProgress(std::string label);
    ~TerminalProgress() override;
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void SetProgress(uint32_t total, uint32_t done) override;

private:
    std::string label_;
    RedrawPace pace_;
    RedrawPace::Clock::time_point start_;
    bool drawn_ = false;
};

class ProgressLines : public ConsoleProgress
{
public:
    void SetProgress(uint32_t total, uint32_t done) override;

private:
    RedrawPace pace_;
};

}  // namespace logora
