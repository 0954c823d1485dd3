// The code page table, UTF-8 decoding, scrambling, checksums and the C-style
// number readings that marker and trailer tokens go through.
#include <gtest/gtest.h>

#include "common/text/Windows1252.h"
#include "vettle/NumberText.h"
#include "vettle/ScrambleText.h"
#include "vettle/TextCodec.h"
#include "vettle/TextCrc32.h"

#include "CaseName.h"

namespace vettle {
namespace {

using common::DecodeWindows1252;
using common::EncodeWindows1252;

TEST(Windows1252, EveryByteRoundTripsAndUndefinedBytesPassThrough)
{
    for (int byte = 0; byte < 256; ++byte) {
        const char16_t unit = DecodeWindows1252(static_cast<uint8_t>(byte));
        ASSERT_EQ(EncodeWindows1252(unit), std::optional<uint8_t>(byte)) << byte;
    }
    for (uint8_t undefined : {0x81, 0x8D, 0x8F, 0x90, 0x9D})
        EXPECT_EQ(DecodeWindows1252(undefined), undefined);
    EXPECT_EQ(DecodeWindows1252(0x80), u'\u20AC');
    EXPECT_EQ(DecodeWindows1252(0xFC), u'\u00FC');
    EXPECT_EQ(EncodeWindows1252(u'\u0100'), std::nullopt);
    EXPECT_EQ(EncodeWindows1252(u'\u0080'), std::nullopt);  // U+0080 is not the euro sign's byte
}

TEST(TextCodec, MalformedUtf8BecomesReplacementPerByte)
{
    EXPECT_EQ(DecodeUtf8("a\xC3\xBC"), u"a\u00FC");
    EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98\x80"), u"\U0001F600");
    EXPECT_EQ(DecodeUtf8("\xC0\xAF"), u"\uFFFD\uFFFD");            // overlong
    EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");  // surrogate
    EXPECT_EQ(DecodeUtf8("\xE2\x82"), u"\uFFFD\uFFFD");            // cut short
    EXPECT_EQ(EncodeUtf8(u"\U0001F600\u00FC"), std::optional<std::string>("\xF0\x9F\x98\x80\xC3\xBC"));
    EXPECT_EQ(EncodeUtf8(std::u16string(1, u'\xD800')), std::nullopt);
    EXPECT_EQ(EncodeAnsi(u"\u20AC\u00FC"), std::optional<std::string>("\x80\xFC"));
}

TEST(ScrambleTextTest, KeyRepeatsEveryFourUnitsAndTwiceRestores)
{
    std::u16string text = u"AAAAA";
    ScrambleText(text.data(), text.size());
    EXPECT_EQ(text, (std::u16string{u'A' ^ 0x5F, u'A' ^ 0x21, u'A' ^ 0x7C, u'A' ^ 0x6A, u'A' ^ 0x5F}));
    ScrambleText(text.data(), text.size());
    EXPECT_EQ(text, u"AAAAA");
}

TEST(TextCrc32Test, StandardCheckValueInBothEncodings)
{
    uint32_t crc = 0;
    ASSERT_TRUE(TextCrc32(u"123456789", false, crc));
    EXPECT_EQ(crc, 0xCBF43926u);
    ASSERT_TRUE(TextCrc32(u"\u00FC", true, crc));
    EXPECT_EQ(crc, BytesCrc32("\xC3\xBC"));
    ASSERT_TRUE(TextCrc32(u"\u00FC", false, crc));
    EXPECT_EQ(crc, BytesCrc32("\xFC"));
    EXPECT_FALSE(TextCrc32(u"\u0100", false, crc));
}

struct UnsignedCase
{
    const char* text;
    uint32_t value;
};

class CUnsignedTest : public testing::TestWithParam<UnsignedCase>
{
};

TEST_P(CUnsignedTest, ReadsLikeStrtoulOn32Bits)
{
    EXPECT_EQ(ParseCUnsigned32(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Tokens, CUnsignedTest,
                         testing::Values(UnsignedCase{"123", 123}, UnsignedCase{"0x1F", 31},
                                         UnsignedCase{"0X1f", 31}, UnsignedCase{"017", 15},
                                         UnsignedCase{"08", 0}, UnsignedCase{"0x", 0},
                                         UnsignedCase{"  42abc", 42}, UnsignedCase{"-1", 0xFFFFFFFFu},
                                         UnsignedCase{"4294967295", 0xFFFFFFFFu},
                                         UnsignedCase{"99999999999", 0xFFFFFFFFu}, UnsignedCase{"abc", 0},
                                         UnsignedCase{"", 0}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(DecimalInt32, ClampsAndStopsAtTheFirstNonDigit)
{
    EXPECT_EQ(ParseDecimalInt32("65536"), 65536);
    EXPECT_EQ(ParseDecimalInt32("-7x"), -7);
    EXPECT_EQ(ParseDecimalInt32("0x10"), 0);
    EXPECT_EQ(ParseDecimalInt32("99999999999"), INT32_MAX);
    EXPECT_EQ(ParseDecimalInt32("-99999999999"), INT32_MIN);
}

TEST(Tokens, StarsSeparateLikeOneAndGuidsNeedTheirShape)
{
    const StarTokens tokens = SplitStarTokens("**a**b*c*d*e");
    ASSERT_EQ(tokens.size(), 4u);  // tokens after the fourth are not needed
    EXPECT_EQ(tokens[0], "a");
    EXPECT_EQ(tokens[3], "d");
    EXPECT_TRUE(SplitStarTokens("***").empty());
    EXPECT_TRUE(IsGuidText("3f2504e0-4f89-11d3-9a0c-0305E82C3301"));
    EXPECT_FALSE(IsGuidText("3f2504e0-4f89-11d3-9a0c-0305e82c330"));
    EXPECT_FALSE(IsGuidText("3f2504e0x4f89-11d3-9a0c-0305e82c3301"));
    EXPECT_FALSE(IsGuidText("3f2504e0-4f89-11d3-9a0c-0305e82c330g"));
}

}  // namespace
}  // namespace vettle
