#include "logora/engine/text/CodePage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::FromUtf16;
using logora::ToUtf16;

struct ByteCase
{
    int codePage;
    uint8_t byte;
    char16_t character;
};

class SingleByteCodePages : public ::testing::TestWithParam<ByteCase>
{
};

TEST_P(SingleByteCodePages, ByteToCharacterAndBack)
{
    ByteCase c = GetParam();
    std::string bytes(1, static_cast<char>(c.byte));
    EXPECT_EQ(ToUtf16(bytes, c.codePage), std::u16string(1, c.character));
    EXPECT_EQ(FromUtf16(std::u16string(1, c.character), c.codePage), bytes);
}

INSTANTIATE_TEST_SUITE_P(CodePageTables, SingleByteCodePages,
                         ::testing::Values(ByteCase{1252, 0x80, u'\u20AC'}, ByteCase{1252, 0xE9, u'\u00E9'},
                                           ByteCase{1252, 0x81, u'\u0081'},  // undefined: passes through
                                           ByteCase{1252, 0x9D, u'\u009D'}, ByteCase{1250, 0x8A, u'\u0160'},
                                           ByteCase{1251, 0xC0, u'\u0410'}, ByteCase{1253, 0xC1, u'\u0391'},
                                           ByteCase{1254, 0xF0, u'\u011F'}, ByteCase{1255, 0xE0, u'\u05D0'},
                                           ByteCase{1256, 0xC7, u'\u0627'}, ByteCase{1257, 0xC0, u'\u0104'},
                                           ByteCase{1258, 0xFE, u'\u20AB'}, ByteCase{874, 0xA1, u'\u0E01'},
                                           ByteCase{437, 0xB0, u'\u2591'}, ByteCase{850, 0x9B, u'\u00F8'},
                                           ByteCase{437, 0x41, u'A'}),
                         [](const testing::TestParamInfo<ByteCase>& info) {
                             std::ostringstream name;
                             name << "Cp" << info.param.codePage << "Byte" << std::hex << std::uppercase
                                  << int{info.param.byte};
                             return name.str();
                         });

TEST(CodePage, EveryByteOfEveryTableRoundTrips)
{
    for (int codePage : {437, 850, 874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258}) {
        std::string all;
        for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
        std::u16string text = ToUtf16(all, codePage);
        ASSERT_EQ(text.size(), 256u) << codePage;
        EXPECT_EQ(FromUtf16(text, codePage), all) << codePage;
    }
}

TEST(CodePage, UnrepresentableCharactersBecomeQuestionMarks)
{
    EXPECT_EQ(FromUtf16(u"a\u4E2Db\u0416", 1252), "a?b?");
    EXPECT_EQ(FromUtf16(u"\u0416", 1251), "\xC6");
    EXPECT_EQ(FromUtf16(u"\U0001F600x", 1252), "??x");
}

TEST(CodePage, Utf8BothWaysWithReplacements)
{
    EXPECT_EQ(ToUtf16("Gr\xC3\xBC\xC3\x9F"
                      "e \xE2\x82\xAC \xF0\x9F\x98\x80",
                      logora::kCodePageUtf8),
              u"Gr\u00FC\u00DFe \u20AC \U0001F600");
    EXPECT_EQ(FromUtf16(u"Gr\u00FC\u00DFe \u20AC \U0001F600", logora::kCodePageUtf8),
              "Gr\xC3\xBC\xC3\x9F"
              "e \xE2\x82\xAC \xF0\x9F\x98\x80");
    // A stray continuation byte, an overlong form, a cut sequence.
    EXPECT_EQ(ToUtf16("a\x80"
                      "b\xC0\xAF"
                      "c\xE2\x82",
                      logora::kCodePageUtf8),
              u"a\uFFFDb\uFFFD\uFFFDc\uFFFD");
    EXPECT_EQ(FromUtf16(std::u16string(1, char16_t(0xD800)) + u"x", logora::kCodePageUtf8), "?x");
}

TEST(CodePage, OtherCodePagesThroughIconv)
{
    if (!logora::IsCodePageSupported(932)) GTEST_SKIP() << "no CP932 converter on this machine";
    std::string shiftJis = "\x93\xFA\x96\x7B";  // the second byte 0x7B is also "{" in ASCII
    EXPECT_EQ(ToUtf16(shiftJis, 932), u"\u65E5\u672C");
    EXPECT_EQ(FromUtf16(u"\u65E5\u672C", 932), shiftJis);
    EXPECT_EQ(FromUtf16(u"a\u0416\u00E9b", 932).substr(0, 1), "a");
    EXPECT_EQ(FromUtf16(u"\U0001F600b", 932), "?b");
    EXPECT_TRUE(logora::IsLeadByte(932, 0x93));
    EXPECT_FALSE(logora::IsLeadByte(932, 0x7B));
    EXPECT_FALSE(logora::IsLeadByte(1252, 0x93));
}

TEST(CodePage, UnknownCodePagesFallBackTo1252)
{
    EXPECT_FALSE(logora::IsCodePageSupported(12345));
    EXPECT_EQ(ToUtf16("\x80", 12345), u"\u20AC");
    logora::SetActiveCodePage(12345);
    EXPECT_EQ(logora::ActiveCodePage(), 1252);
    logora::SetActiveCodePage(1251);
    EXPECT_EQ(ToUtf16("\xC0"), u"\u0410");
}

}  // namespace
