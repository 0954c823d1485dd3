// Seconds since 1970 as a local time record.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <time.h>

#include <string>

namespace {

class ConvertToSystemTime : public testing::Test
{
protected:
    void TearDown() override { useZone("UTC"); }

    static void useZone(const char* zone)
    {
        setenv("TZ", zone, 1);
        tzset();
    }
};

TEST_F(ConvertToSystemTime, FillsEveryField)
{
    useZone("UTC");
    UtlSystemTime time{};
    ASSERT_EQ(UtlConvertToSystemTime(1700000000, &time), 1);
    EXPECT_EQ(time.year, 2023);
    EXPECT_EQ(time.month, 11);
    EXPECT_EQ(time.dayOfWeek, 2);
    EXPECT_EQ(time.day, 14);
    EXPECT_EQ(time.hour, 22);
    EXPECT_EQ(time.minute, 13);
    EXPECT_EQ(time.second, 20);
    EXPECT_EQ(time.milliseconds, 0);

    ASSERT_EQ(UtlConvertToSystemTime(0, &time), 1);
    EXPECT_EQ(time.year, 1970);
    EXPECT_EQ(time.month, 1);
    EXPECT_EQ(time.day, 1);
    EXPECT_EQ(time.dayOfWeek, 4);
}

TEST_F(ConvertToSystemTime, UsesLocalTime)
{
    useZone("XYZ-2");  // two hours east of UTC, no daylight saving
    UtlSystemTime time{};
    ASSERT_EQ(UtlConvertToSystemTime(1700000000, &time), 1);
    EXPECT_EQ(time.day, 15);
    EXPECT_EQ(time.hour, 0);
    EXPECT_EQ(time.dayOfWeek, 3);
}

TEST_F(ConvertToSystemTime, MissingRecord)
{
    EXPECT_EQ(UtlConvertToSystemTime(0, nullptr), 0);
}

}  // namespace
