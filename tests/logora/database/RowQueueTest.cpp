#include "logora/engine/database/RowQueue.h"

#include <gtest/gtest.h>

#include <atomic>

namespace logora::testing {
namespace {

// A failed insert stops the rows that follow, whether the producer is
// waiting for room at that moment or not, and Finish says so.
TEST(RowQueue, FailedInsertStopsTheRowsThatFollow)
{
    std::atomic<int> inserted = 0;
    RowQueue queue(1, [&](const RowCell*, const CivilTime*) { return ++inserted < 1500; });
    const RowCell cell;
    int accepted = 0;
    while (accepted < 100000 && queue.Put(&cell, nullptr)) ++accepted;
    EXPECT_LT(accepted, 100000);
    EXPECT_FALSE(queue.Finish());
    EXPECT_EQ(inserted, 1500);
}

}  // namespace
}  // namespace logora::testing
