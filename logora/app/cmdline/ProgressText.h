#pragma once
// The self-updating progress line of a batch run on a terminal, and the pace
// at which it may be redrawn.

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace logora {

// "<label>  42%  120000 records/s  0:12 left": the rate and the time left
// once they can be told (some time has passed and some work is done).
std::string ProgressText(std::string_view label, double fraction, double recordsPerSecond,
                         double elapsedSeconds);

// Allows one redraw per tenth of a second at most.
class RedrawPace
{
public:
    using Clock = std::chrono::steady_clock;
    bool Due(Clock::time_point now);

private:
    Clock::time_point last_{};
    bool drawn_ = false;
};

}  // namespace logora
