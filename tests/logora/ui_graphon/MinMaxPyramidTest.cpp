#include "logora/ui/graphon/MinMaxPyramid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace logora::ui {
namespace {

ValueRange BruteForce(const std::vector<double>& values, size_t first, size_t last)
{
    ValueRange r;
    for (size_t i = first; i < last && i < values.size(); ++i) r.include(values[i]);
    return r;
}

TEST(MinMaxPyramid, MatchesBruteForceOnRandomRangesWithGaps)
{
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> value(-1000, 1000);
    for (size_t size : {0u, 1u, 15u, 16u, 17u, 31u, 32u, 33u, 255u, 256u, 257u, 1025u, 5000u, 40000u}) {
        std::vector<double> values(size);
        for (auto& v : values) v = rng() % 10 == 0 ? std::numeric_limits<double>::quiet_NaN() : value(rng);
        MinMaxPyramid pyramid;
        pyramid.Build(values);
        for (int trial = 0; trial < 300; ++trial) {
            size_t a = size ? rng() % (size + 1) : 0, b = size ? rng() % (size + 1) : 0;
            if (a > b) std::swap(a, b);
            ValueRange expected = BruteForce(values, a, b), got = pyramid.Query(a, b);
            ASSERT_EQ(expected.empty, got.empty) << size << " [" << a << "," << b << ")";
            if (!expected.empty) {
                ASSERT_EQ(expected.min, got.min);
                ASSERT_EQ(expected.max, got.max);
            }
        }
    }
}

TEST(MinMaxPyramid, RangeOfOnlyMissingValuesIsEmpty)
{
    std::vector<double> values(100, std::numeric_limits<double>::quiet_NaN());
    MinMaxPyramid pyramid;
    pyramid.Build(values);
    EXPECT_TRUE(pyramid.Query(0, 100).empty);
    EXPECT_TRUE(pyramid.Query(0, 1000).empty);  // an end past the data is clamped
}

}  // namespace
}  // namespace logora::ui
