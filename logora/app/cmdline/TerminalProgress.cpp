#include "logora/app/cmdline/TerminalProgress.h"

#include <cstdio>

namespace logora {

TerminalProgress::TerminalProgress(std::string label)
    : label_(std::move(label)), start_(RedrawPace::Clock::now())
{}

TerminalProgress::~TerminalProgress()
{
    // Leaves the line empty for whatever is printed next.
    if (drawn_) std::fputs("\r\033[K", stderr);
}

void TerminalProgress::SetProgress(uint32_t total, uint32_t done)
{
    ConsoleProgress::SetProgress(total, done);
    const auto now = RedrawPace::Clock::now();
    if (!pace_.Due(now)) return;
    const double seconds = std::chrono::duration<double>(now - start_).count();
    const double fraction = total == 0 ? 0.0 : double(done) / double(total);
    // The first moments tell no rate worth showing.
    const double rate = seconds >= 0.5 ? double(done) / seconds : 0.0;
    std::fprintf(stderr, "\r%s\033[K", ProgressText(label_, fraction, rate, seconds).c_str());
    drawn_ = true;
}

void ProgressLines::SetProgress(uint32_t total, uint32_t done)
{
    ConsoleProgress::SetProgress(total, done);
    if (!pace_.Due(RedrawPace::Clock::now())) return;
    std::printf("%u %u\n", done, total);
    std::fflush(stdout);
}

}  // namespace logora
