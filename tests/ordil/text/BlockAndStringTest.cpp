// Block texts, security code letters and the small string edits.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <string>

#include "CaseName.h"

namespace {

TEST(BuildBlock, JoinsKeyAndValueWithABar)
{
    char16_t block[UTL_BLOCK_SIZE];
    UtlBuildBlock(u"Motor", u"On|Off", block);
    EXPECT_EQ(std::u16string(block), u"Motor|On|Off");
    UtlBuildBlock(nullptr, nullptr, block);
    EXPECT_EQ(std::u16string(block), u"|");
    UtlBuildBlock(u"k", u"v", nullptr);
}

TEST(BuildBlock, CutsKeyAndValueToTheirRoom)
{
    char16_t block[UTL_BLOCK_SIZE + 1];
    block[UTL_BLOCK_SIZE] = u'#';
    UtlBuildBlock(std::u16string(40, u'k').c_str(), std::u16string(300, u'v').c_str(), block);
    EXPECT_EQ(std::u16string(block), std::u16string(32, u'k') + u"|" + std::u16string(255, u'v'));
    EXPECT_EQ(block[UTL_BLOCK_SIZE], u'#');
}

TEST(SplitBlock, TakesKeyBeforeTheFirstBar)
{
    char16_t key[UTL_BLOCK_KEY_SIZE];
    char16_t value[UTL_BLOCK_VALUE_SIZE];
    UtlSplitBlock(u"Motor|On|Off", key, value);
    EXPECT_EQ(std::u16string(key), u"Motor");
    EXPECT_EQ(std::u16string(value), u"On|Off");

    UtlSplitBlock((std::u16string(40, u'k') + u"|v").c_str(), key, value);
    EXPECT_EQ(std::u16string(key), std::u16string(32, u'k'));
    EXPECT_EQ(std::u16string(value), u"v");

    UtlSplitBlock(u"no bar here", key, value);
    EXPECT_EQ(std::u16string(key), u"no bar here");
    EXPECT_EQ(std::u16string(value), u"");

    UtlSplitBlock(nullptr, key, value);
    EXPECT_EQ(std::u16string(key), u"");
    EXPECT_EQ(std::u16string(value), u"");

    UtlSplitBlock(u"k|only value", nullptr, value);
    EXPECT_EQ(std::u16string(value), u"only value");
}

TEST(SplitBlock, ValueNeverOverrunsItsBuffer)
{
    char16_t value[UTL_BLOCK_VALUE_SIZE + 1];
    value[UTL_BLOCK_VALUE_SIZE] = u'#';
    UtlSplitBlock((u"k|" + std::u16string(400, u'v')).c_str(), nullptr, value);
    EXPECT_EQ(std::u16string(value), std::u16string(255, u'v'));
    EXPECT_EQ(value[UTL_BLOCK_VALUE_SIZE], u'#');
}

TEST(SecurityCodes, MapLettersAndMasks)
{
    EXPECT_EQ(UtlSecMapCharToMask(u'A'), 1u);
    EXPECT_EQ(UtlSecMapCharToMask(u'C'), 4u);
    EXPECT_EQ(UtlSecMapCharToMask(u'P'), 0x8000u);
    EXPECT_EQ(UtlSecMapCharToMask(u'p'), 0x8000u);
    EXPECT_EQ(UtlSecMapCharToMask(u'*'), 0xFFFFu);
    EXPECT_EQ(UtlSecMapMaskToChar(1), u'A');
    EXPECT_EQ(UtlSecMapMaskToChar(0x8000), u'P');
    EXPECT_EQ(UtlSecMapMaskToChar(6), u'C');
    EXPECT_EQ(UtlSecMapMaskToChar(0xFFFF), u'*');
    EXPECT_EQ(UtlSecMapMaskToChar(0), u'@');
    for (char16_t letter = u'A'; letter <= u'P'; ++letter)
        EXPECT_EQ(UtlSecMapMaskToChar(uint16_t(UtlSecMapCharToMask(letter))), letter);
}

TEST(IsBlankStr, BlanksOnlyOrNothing)
{
    EXPECT_EQ(UtlIsBlankStr(u""), 1);
    EXPECT_EQ(UtlIsBlankStr(u" \t\r\n\v\f"), 1);
    EXPECT_EQ(UtlIsBlankStr(u"  x "), 0);
    EXPECT_EQ(UtlIsBlankStr(nullptr), 1);
}

TEST(PadStr, PadsOrCutsToExactLength)
{
    char16_t text[8] = u"ab";
    EXPECT_EQ(UtlPadStr(text, 4, u'x'), text);
    EXPECT_EQ(std::u16string(text), u"abxx");
    char16_t longer[8] = u"abcdef";
    UtlPadStr(longer, 4, u'x');
    EXPECT_EQ(std::u16string(longer), u"abcd");
    char16_t empty[8] = u"";
    UtlPadStr(empty, 0, u'x');
    EXPECT_EQ(std::u16string(empty), u"");
}

struct EditCase
{
    std::u16string before;
    std::u16string after;
};

class StripBlanks : public testing::TestWithParam<EditCase>
{
};

TEST_P(StripBlanks, RemovesOuterSpacesAndTabs)
{
    std::u16string text = GetParam().before;
    EXPECT_EQ(UtlStripBlanks(text.data()), text.data());
    EXPECT_EQ(std::u16string(text.c_str()), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Texts, StripBlanks,
                         testing::Values(EditCase{u"  \t a b \t ", u"a b"}, EditCase{u" \t ", u""},
                                         EditCase{u"", u""}, EditCase{u"\n a\r", u"\n a\r"},
                                         EditCase{u"x", u"x"}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.before); });

class StripQuotes : public testing::TestWithParam<EditCase>
{
};

TEST_P(StripQuotes, RemovesEnclosingDoubleQuotes)
{
    std::u16string text = GetParam().before;
    UtlStripQuotesStr(text.data());
    EXPECT_EQ(std::u16string(text.c_str()), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(Texts, StripQuotes,
                         testing::Values(EditCase{u"\"a b\"", u"a b"}, EditCase{u"\"\"", u""},
                                         EditCase{u"\"", u"\""}, EditCase{u"\"open", u"\"open"},
                                         EditCase{u"'single'", u"'single'"}, EditCase{u"", u""}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.before); });

}  // namespace
