#include "logora/engine/dbf/FixedFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <limits>
#include <random>
#include <vector>

namespace {

std::string Fixed(double value, int width, int precision)
{
    std::vector<char> out(logora::FixedTextRoom(width, precision));
    return std::string(out.data(), logora::FormatFixed(out.data(), value, width, precision));
}

std::string Printf(double value, int width, int precision)
{
    std::vector<char> out(logora::FixedTextRoom(width, precision) + 8);
    int length = std::snprintf(out.data(), out.size(), "%*.*f", width, precision, value);
    return std::string(out.data(), static_cast<size_t>(length));
}

TEST(FixedFormat, SpecialValuesAsPrintf)
{
    const double values[] = {0.0,
                             -0.0,
                             1.5,
                             -1.5,
                             0.5,
                             2.5,
                             0.125,
                             0.000000005,
                             -0.000000004,
                             1e-300,
                             123456789.125,
                             4503599627370495.5,
                             9007199254740993.0,
                             1e22,
                             1.7976931348623157e308,
                             std::numeric_limits<double>::denorm_min(),
                             std::numeric_limits<double>::infinity(),
                             -std::numeric_limits<double>::infinity(),
                             std::numeric_limits<double>::quiet_NaN(),
                             -std::numeric_limits<double>::quiet_NaN()};
    for (double value : values)
        for (int precision : {0, 1, 2, 8, 17, 20, 40})
            for (int width : {0, 17, 30})
                EXPECT_EQ(Fixed(value, width, precision), Printf(value, width, precision))
                    << value << " " << width << "." << precision;
}

TEST(FixedFormat, DefaultSettingsPadOnePointFive)
{
    EXPECT_EQ(Fixed(1.5, 17, 8), "       1.50000000");
}

TEST(FixedFormat, RandomValuesAsPrintf)
{
    std::mt19937_64 random(20241231);
    std::uniform_int_distribution<int> exponent(-30, 30);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> precision(0, 17);
    for (int i = 0; i < 200000; ++i) {
        double value = mantissa(random) * std::pow(10.0, exponent(random));
        int p = precision(random);
        ASSERT_EQ(Fixed(value, 17, p), Printf(value, 17, p)) << value << " precision " << p;
    }
    // Values that lie exactly on a rounding tie at the printed precision.
    for (int i = -4000; i < 4000; ++i) {
        double value = i / 8.0;
        for (int p = 0; p < 4; ++p) ASSERT_EQ(Fixed(value, 0, p), Printf(value, 0, p)) << value;
    }
}

TEST(FormatFixedWidthInt, MatchesPrintfCutToTheWidth)
{
    const int64_t values[] = {0,         7,          -1,         42,          -42,
                              123456789, 1234567890, -123456789, -1234567890, INT_MAX,
                              INT_MIN,   LLONG_MAX,  LLONG_MIN,  10000000000, 99};
    for (int width : {1, 3, 10, 12, 25, 40}) {
        for (int64_t value : values) {
            char expected[48];
            std::snprintf(expected, sizeof expected, "%*lld", width, static_cast<long long>(value));
            char actual[48];
            logora::FormatFixedWidthInt(value, width, width, actual);
            EXPECT_EQ(std::string(actual, width), std::string(expected).substr(0, width))
                << value << " in " << width;
            // A field that the record cuts short gets the text's beginning.
            logora::FormatFixedWidthInt(value, width, width / 2, actual);
            EXPECT_EQ(std::string(actual, width / 2), std::string(expected).substr(0, width / 2))
                << value << " in half of " << width;
        }
    }
}

}  // namespace
