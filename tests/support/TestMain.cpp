// Runs every test with the same settings whatever the machine has: UTC, the C
// locale, and Qt's offscreen platform. Tests that need other values set them
// themselves.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv)
{
    setenv("TZ", "UTC", 1);
    setenv("LC_ALL", "C", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
