#include "logora/app/cmdline/ProgressText.h"

#include <cmath>
#include <cstdio>

namespace logora {

namespace {

std::string Duration(double seconds)
{
    const long total = std::lround(seconds);
    char text[32];
    if (total >= 3600) {
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", total / 3600, total / 60 % 60, total % 60);
    } else {
        std::snprintf(text, sizeof text, "%ld:%02ld", total / 60, total % 60);
    }
    return text;
}

}  // namespace

std::string ProgressText(std::string_view label, double fraction, double recordsPerSecond,
                         double elapsedSeconds)
{
    fraction = std::fmin(std::fmax(fraction, 0.0), 1.0);
    std::string text(label);
    char number[64];
    std::snprintf(number, sizeof number, "  %3d%%", static_cast<int>(fraction * 100.0));
    text += number;
    if (recordsPerSecond > 0.0) {
        std::snprintf(number, sizeof number, "  %.0f records/s", recordsPerSecond);
        text += number;
    }
    // Too early a guess swings wildly; wait for a second and a percent.
    if (elapsedSeconds >= 1.0 && fraction >= 0.01) {
        text += "  " + Duration(elapsedSeconds * (1.0 - fraction) / fraction) + " left";
    }
    return text;
}

bool RedrawPace::Due(Clock::time_point now)
{
    if (drawn_ && now - last_ < std::chrono::milliseconds(100)) return false;
    drawn_ = true;
    last_ = now;
    return true;
}

}  // namespace logora
