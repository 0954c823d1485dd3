#include "platform/files/OutputFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

TEST(OutputFile, WritesEverythingAndEmptiesAnOldFile)
{
    logora::testing::ScratchDir scratch;
    std::string path = scratch.file("out.csv");
    std::ofstream(path) << "a much longer old content";
    platform::OutputFile file;
    ASSERT_TRUE(file.Open(path));
    std::string big(1 << 20, 'x');
    EXPECT_TRUE(file.Write("head\r\n", 6));
    EXPECT_TRUE(file.Write(big.data(), big.size()));
    EXPECT_TRUE(file.Close());
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text, "head\r\n" + big);
}

TEST(OutputFile, AFailedWriteIsRemembered)
{
    platform::OutputFile full;
    if (!full.Open("/dev/full")) GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(full.Write("x", 1));
    EXPECT_TRUE(full.Failed());
    EXPECT_FALSE(full.Close());

    platform::OutputFile never;
    EXPECT_FALSE(never.Open("/no/such/folder/out.csv"));
    EXPECT_FALSE(never.Write("x", 1));
    EXPECT_FALSE(never.Close());
}

}  // namespace
