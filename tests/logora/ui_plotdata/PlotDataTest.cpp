#include <gtest/gtest.h>

#include "logora/ui/plotdata/TimeFit.h"

namespace logora::ui {
namespace {

TEST(TimeFit, ASingleInstantGetsAMinuteAroundIt)
{
    TimeRange view = FitTimeRange({1000, 1000, false});
    EXPECT_DOUBLE_EQ(view.from, 970);
    EXPECT_DOUBLE_EQ(view.to, 1030);
}

}  // namespace
}  // namespace logora::ui
