// The progress line a batch run draws on a terminal, and how often.
#include "logora/app/cmdline/ProgressText.h"

#include <gtest/gtest.h>

#include <chrono>

namespace {

TEST(ProgressText, ProgressLineAndItsPace)
{
    EXPECT_EQ(logora::ProgressText("a.log", 0.0, 0.0, 0.0), "a.log    0%");
    // The time left waits for a second and a percent.
    EXPECT_EQ(logora::ProgressText("a.log", 0.25, 1234.4, 0.5), "a.log   25%  1234 records/s");
    EXPECT_EQ(logora::ProgressText("a.log", 0.25, 1234.4, 30.0), "a.log   25%  1234 records/s  1:30 left");
    EXPECT_EQ(logora::ProgressText("b", 0.5, 10.0, 4000.0), "b   50%  10 records/s  1:06:40 left");

    logora::RedrawPace pace;
    const auto start = logora::RedrawPace::Clock::now();
    EXPECT_TRUE(pace.Due(start));
    EXPECT_FALSE(pace.Due(start + std::chrono::milliseconds(99)));
    EXPECT_TRUE(pace.Due(start + std::chrono::milliseconds(100)));
}

}  // namespace
