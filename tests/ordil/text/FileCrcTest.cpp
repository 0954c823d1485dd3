// File checksums: CRC-16/ARC over the file as read in the callers' text mode.
#include "ordil/include/ordil.h"
#include "tests/ordil/support/TempFolder.h"

#include <gtest/gtest.h>

namespace {

using ordil::test::TempFolder;
using ordil::test::u16;

// Bitwise CRC-16/ARC without final inversion, as an independent reference.
uint16_t referenceCrc(const std::string& bytes)
{
    uint16_t crc = 0;
    for (unsigned char byte : bytes) {
        crc ^= byte;
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc & 1) ? uint16_t((crc >> 1) ^ 0xA001) : uint16_t(crc >> 1);
    }
    return crc;
}

uint16_t checksumOf(const TempFolder& temp, const std::string& bytes, int* result = nullptr)
{
    std::u16string path = u16(temp.write("data.bin", bytes).string());
    uint16_t checksum = 0x5A5A;
    int ok = UtlFileCRC(path.c_str(), &checksum);
    if (result) *result = ok;
    EXPECT_EQ(ok, 1);
    return checksum;
}

TEST(FileCrc, CheckValueAndEmptyFile)
{
    TempFolder temp;
    EXPECT_EQ(checksumOf(temp, "123456789"), 0xBB3D);
    EXPECT_EQ(checksumOf(temp, ""), 0);
}

TEST(FileCrc, MissingFileLeavesTheChecksumAlone)
{
    TempFolder temp;
    uint16_t checksum = 0x1234;
    EXPECT_EQ(UtlFileCRC(u16((temp.path() / "missing").string()).c_str(), &checksum), 0);
    EXPECT_EQ(checksum, 0x1234);
    EXPECT_EQ(UtlFileCRC(u"C:\\file.txt", &checksum), 0);
    EXPECT_EQ(checksum, 0x1234);
    EXPECT_EQ(UtlFileCRC(nullptr, &checksum), 0);
}

struct TextModeCase
{
    std::string name;
    std::string file;
    std::string asRead;
};

class FileCrcTextMode : public testing::TestWithParam<TextModeCase>
{
};

TEST_P(FileCrcTextMode, ChecksumsTheTranslatedBytes)
{
    TempFolder temp;
    EXPECT_EQ(checksumOf(temp, GetParam().file), referenceCrc(GetParam().asRead));
}

INSTANTIATE_TEST_SUITE_P(
    Translation, FileCrcTextMode,
    testing::Values(TextModeCase{"CrLfPairsReadAsLf", "a\r\nb\r\n", "a\nb\n"},
                    TextModeCase{"LoneCrStays", "a\rb\r", "a\rb\r"},
                    TextModeCase{"CrCrLf", "a\r\r\nb", "a\r\nb"},
                    TextModeCase{"EndOfDataByte",
                                 "12345\r\n6789\x1a"
                                 "after\r\n",
                                 "12345\n6789"},
                    TextModeCase{"CrBeforeEndOfData", "x\r\x1ay", "x\r"},
                    TextModeCase{"PairAcrossBlocks", std::string(65535, 'x') + "\r\n" + "y",
                                 std::string(65535, 'x') + "\ny"},
                    TextModeCase{"NulBytesCount", std::string("a\0b", 3), std::string("a\0b", 3)}),
    [](const testing::TestParamInfo<TextModeCase>& info) { return info.param.name; });

}  // namespace
