// Switches and key=value pairs in parameter texts.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "CaseName.h"

namespace {

const char16_t* kText = u"/A x=1 /B key=\"a b\"";

std::u16string valueOf(const char16_t* text, char16_t letter, const char16_t* key)
{
    const char16_t* value = nullptr;
    uint32_t length = 0;
    EXPECT_EQ(UtlGetParamKey(text, letter, key, &value, &length), UTL_S_OK);
    return value ? std::u16string(value, length) : u"";
}

TEST(FindParam, FindsTheRangeOfASwitch)
{
    const char16_t* start = nullptr;
    const char16_t* end = nullptr;
    ASSERT_EQ(UtlFindParam(kText, u'a', &start, &end), UTL_S_OK);
    EXPECT_EQ(std::u16string(start, end), u"/A x=1 ");
    ASSERT_EQ(UtlFindParam(kText, u'B', &start, &end), UTL_S_OK);
    EXPECT_EQ(std::u16string(start, end), u"/B key=\"a b\"");
    EXPECT_EQ(UtlFindParam(kText, u'C', nullptr, nullptr), UTL_S_FALSE);
}

TEST(FindParam, OnlyUnquotedSlashesAtAWordStart)
{
    EXPECT_EQ(UtlFindParam(u"/A x=\"/B\"", u'B', nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlFindParam(u"a/B", u'B', nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlFindParam(u"\"q\"/B", u'B', nullptr, nullptr), UTL_S_FALSE);
    const char16_t* end = nullptr;
    const char16_t* text = u"/A p=a/b q=\"x /C\" /C";
    ASSERT_EQ(UtlFindParam(text, u'A', nullptr, &end), UTL_S_OK);
    EXPECT_EQ(std::u16string(end), u"/C");
}

TEST(FindParam, Refuses)
{
    EXPECT_EQ(UtlFindParam(u"/\t/", u'\t', nullptr, nullptr), UTL_S_FALSE) << "a blank is no switch letter";
    EXPECT_EQ(UtlFindParam(u"/", u'\0', nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlFindParam(u"/A x=\"1", u'A', nullptr, nullptr), UTL_E_INVALIDARG);
    EXPECT_EQ(UtlFindParam(nullptr, u'A', nullptr, nullptr), UTL_E_INVALIDARG);
}

TEST(GetParamKey, ReadsQuotedAndPlainValues)
{
    EXPECT_EQ(valueOf(kText, u'B', u"key"), u"a b");
    EXPECT_EQ(valueOf(kText, u'b', u"KEY"), u"a b");
    EXPECT_EQ(valueOf(kText, u'A', u"x"), u"1");
    EXPECT_EQ(valueOf(u"/A x=12 y=3", u'A', u"x"), u"12");
    EXPECT_EQ(valueOf(u"/A x=", u'A', u"x"), u"");
}

TEST(GetParamKey, KeyIsComparedOverItsLength)
{
    EXPECT_EQ(valueOf(u"/A key=5", u'A', u"ke"), u"5");
    EXPECT_EQ(valueOf(u"/A xy=2 x=1", u'A', u"X"), u"2");
    EXPECT_EQ(UtlGetParamKey(u"/A x=2", u'A', u"xy", nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlGetParamKey(u"/Ax=1", u'A', u"x", nullptr, nullptr), UTL_S_FALSE)
        << "the switch's own word is no pair";
    EXPECT_EQ(UtlGetParamKey(u"/A \"x=1\"", u'A', u"x", nullptr, nullptr), UTL_S_FALSE);
}

TEST(GetParamKey, MissingPairsSwitchesAndTexts)
{
    EXPECT_EQ(UtlGetParamKey(kText, u'A', u"key", nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlGetParamKey(kText, u'C', u"key", nullptr, nullptr), UTL_S_FALSE);
    EXPECT_EQ(UtlGetParamKey(u"/B key=\"a b", u'B', u"key", nullptr, nullptr), UTL_E_INVALIDARG);
    EXPECT_EQ(UtlGetParamKey(nullptr, u'B', u"key", nullptr, nullptr), UTL_E_INVALIDARG);
    EXPECT_EQ(UtlGetParamKey(kText, u'B', nullptr, nullptr, nullptr), UTL_E_INVALIDARG);
}

// A parameter text in a buffer of a given capacity.
struct Buffer
{
    Buffer(std::u16string text, size_t capacity) : chars(capacity + 1, u'#')
    {
        std::copy(text.begin(), text.end(), chars.begin());
        chars[text.size()] = u'\0';
    }
    uint32_t set(char16_t letter, const char16_t* key, const char16_t* value)
    {
        return UtlSetParamKey(chars.data(), uint32_t(chars.size() - 1), letter, key, value);
    }
    std::u16string text() const { return chars.data(); }
    bool guardIntact() const { return chars.back() == u'#'; }

    std::vector<char16_t> chars;  // one guard character beyond the capacity
};

struct SetCase
{
    std::u16string before;
    char16_t letter;
    std::u16string key;
    std::u16string value;
    std::u16string after;
};

void PrintTo(const SetCase& c, std::ostream* os)
{
    *os << std::string(c.before.begin(), c.before.end());
}

class SetParamKey : public testing::TestWithParam<SetCase>
{
};

TEST_P(SetParamKey, WritesThePair)
{
    const SetCase& c = GetParam();
    Buffer exact(c.before, std::max(c.before.size(), c.after.size()) + 1);
    EXPECT_EQ(exact.set(c.letter, c.key.c_str(), c.value.c_str()), UTL_S_OK);
    EXPECT_EQ(exact.text(), c.after);
    EXPECT_TRUE(exact.guardIntact());
    EXPECT_EQ(valueOf(exact.text().c_str(), c.letter, c.key.c_str()), c.value);

    if (c.after.size() > c.before.size()) {
        Buffer shortByOne(c.before, c.after.size());
        EXPECT_EQ(shortByOne.set(c.letter, c.key.c_str(), c.value.c_str()), UTL_E_INSUFFICIENT_BUFFER);
        EXPECT_EQ(shortByOne.text(), c.before);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SetParamKey,
    testing::Values(SetCase{u"/A x=1 /B", u'B', u"k", u"v", u"/A x=1 /B k=\"v\""},
                    SetCase{u"/A x=1 /B y=2", u'A', u"k", u"v w", u"/A x=1 k=\"v w\" /B y=2"},
                    SetCase{u"/B key=\"a b\"", u'B', u"key", u"new value", u"/B key=\"new value\""},
                    SetCase{u"/B key=\"a b\" /C", u'B', u"KEY", u"", u"/B key=\"\" /C"},
                    SetCase{u"/A x=1 /B", u'A', u"x", u"22", u"/A x=\"22\" /B"},
                    SetCase{u"/A x=123456 z", u'A', u"x", u"9", u"/A x=\"9\" z"},
                    SetCase{u"/A key=5", u'a', u"ke", u"/C", u"/A key=\"/C\""}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.before); });

TEST(SetParamKey, NextSwitchStaysASwitch)
{
    Buffer buffer(u"/A x=1 /B y=2", 64);
    ASSERT_EQ(buffer.set(u'A', u"k", u"v"), UTL_S_OK);
    EXPECT_EQ(valueOf(buffer.text().c_str(), u'B', u"y"), u"2");
}

TEST(SetParamKey, Refuses)
{
    Buffer buffer(u"/A x=1", 64);
    EXPECT_EQ(buffer.set(u'C', u"k", u"v"), UTL_S_FALSE);
    EXPECT_EQ(buffer.set(u'A', u"k", u"a\"b"), UTL_E_INVALIDARG) << "would unbalance the quotes";
    EXPECT_EQ(buffer.set(u'A', u"my key", u"v"), UTL_E_INVALIDARG);
    EXPECT_EQ(buffer.set(u'A', u"/B", u"v"), UTL_E_INVALIDARG) << "would read as a switch";
    EXPECT_EQ(buffer.set(u'A', u"", u"v"), UTL_E_INVALIDARG);
    EXPECT_EQ(buffer.set(u'A', nullptr, u"v"), UTL_E_INVALIDARG);
    EXPECT_EQ(buffer.set(u'A', u"k", nullptr), UTL_E_INVALIDARG);
    EXPECT_EQ(UtlSetParamKey(nullptr, 10, u'A', u"k", u"v"), UTL_E_INVALIDARG);
    EXPECT_EQ(buffer.text(), u"/A x=1");

    Buffer unbalanced(u"/A x=\"1", 64);
    EXPECT_EQ(unbalanced.set(u'A', u"k", u"v"), UTL_E_FAIL);
    Buffer quoteInPlainValue(u"/A x=a\"b c\"", 64);
    EXPECT_EQ(quoteInPlainValue.set(u'A', u"x", u"v"), UTL_E_FAIL);
    EXPECT_EQ(quoteInPlainValue.text(), u"/A x=a\"b c\"");
}

}  // namespace
