#pragma once
// Progress of a batch run for a person or for the run that started it.
// CTerminalProgress draws one self-updating line on standard error (a
// terminal); CProgressLines writes "<done> <total>" lines to standard output
// for a batch run over several inputs that started this one. Both at most ten
// times a second, and both cancelled by an interrupt as CConsoleProgress is.

#include <string>

#include "logora/app/cmdline/ProgressText.h"
#include "logora/engine/run/ConsoleProgress.h"

namespace logora {

class CTerminalProgress : public CConsoleProgress
{
public:
    explicit CTerminalProgress(std::string label);
    ~CTerminalProgress() override;
    CTerminalProgress(const CTerminalProgress&) = delete;
    CTerminalProgress& operator=(const CTerminalProgress&) = delete;

    void SetProgress(uint32_t total, uint32_t done) override;

private:
    std::string label_;
    CRedrawPace pace_;
    CRedrawPace::Clock::time_point start_;
    bool drawn_ = false;
};

class CProgressLines : public CConsoleProgress
{
public:
    void SetProgress(uint32_t total, uint32_t done) override;

private:
    CRedrawPace pace_;
};

}  // namespace logora
