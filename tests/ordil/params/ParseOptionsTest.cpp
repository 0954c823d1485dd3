// Taking slash options out of command texts.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CaseName.h"

namespace {

struct Reported
{
    char16_t option;
    std::u16string argument;  // "-" stands for no argument
    bool operator==(const Reported&) const = default;
};

void PrintTo(const Reported& r, std::ostream* os)
{
    *os << char(r.option) << ':' << std::string(r.argument.begin(), r.argument.end());
}

struct Parse
{
    uint32_t status;
    std::u16string text;
    std::vector<Reported> reported;
};

struct Recorder
{
    std::vector<Reported> reported;
    char16_t refuse = 0;
};

int record(char16_t option, const char16_t* argument, void* user)
{
    auto* recorder = static_cast<Recorder*>(user);
    recorder->reported.push_back({option, argument ? std::u16string(argument) : u"-"});
    return option != recorder->refuse;
}

Parse parse(std::u16string text, const char16_t* options = u"ab:c::", char16_t refuse = 0)
{
    Recorder recorder;
    recorder.refuse = refuse;
    uint32_t status = UtlParseOptions(text.data(), options, record, &recorder);
    return {status, std::u16string(text.c_str()), recorder.reported};
}

using R = std::vector<Reported>;

TEST(ParseOptions, TakesOutOptionsWithAndWithoutArguments)
{
    Parse result = parse(u"word /a /b out /c rest");
    EXPECT_EQ(result.status, UTL_S_OK);
    EXPECT_EQ(result.reported, (R{{u'a', u"-"}, {u'b', u"out"}, {u'c', u"rest"}}));
    EXPECT_EQ(result.text, u"word ") << "of the two blanks copied only one is dropped";
}

TEST(ParseOptions, RequiredArgumentMissing)
{
    Parse result = parse(u"/b");
    EXPECT_EQ(result.status, UTL_E_MISSING_OPTION_ARGUMENT);
    EXPECT_TRUE(result.reported.empty());
    EXPECT_EQ(result.text, u"");
    EXPECT_EQ(parse(u"keep /a /b   ").status, UTL_E_MISSING_OPTION_ARGUMENT);
    EXPECT_EQ(parse(u"keep /a /b   ").text, u"keep  ") << "the text ends at the output position";
}

struct ParseCase
{
    std::u16string text;
    std::u16string remaining;
    R reported;
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << std::string(c.text.begin(), c.text.end());
}

class ParseOptionsCases : public testing::TestWithParam<ParseCase>
{
};

TEST_P(ParseOptionsCases, ReportsAndCompacts)
{
    Parse result = parse(GetParam().text);
    EXPECT_EQ(result.status, UTL_S_OK);
    EXPECT_EQ(result.reported, GetParam().reported);
    EXPECT_EQ(result.text, GetParam().remaining);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ParseOptionsCases,
    testing::Values(ParseCase{u"", u"", {}}, ParseCase{u"plain words only", u"plain words only", {}},
                    ParseCase{u"/ax file", u"file", {{u'a', u"-"}, {u'x', u"-"}}},
                    ParseCase{u"/a: file", u"file", {{u'a', u"-"}}},
                    ParseCase{u"/b two words", u"", {{u'b', u"two words"}}},
                    ParseCase{u"/b out trailing ", u"", {{u'b', u"out trailing"}}},
                    ParseCase{u"/bglued next", u"", {{u'b', u"glued next"}}},
                    ParseCase{u"/b \"x y\" /a", u"", {{u'b', u"x y"}, {u'a', u"-"}}},
                    ParseCase{u"/b \"x y\"more /a", u"", {{u'b', u"x ymore"}, {u'a', u"-"}}},
                    ParseCase{u"/b a\"\"b", u"", {{u'b', u"a\"b"}}},
                    ParseCase{u"/b /x", u"", {{u'b', u"/x"}}},
                    ParseCase{u"/c /a", u"", {{u'c', u"-"}, {u'a', u"-"}}},
                    ParseCase{u"/c", u"", {{u'c', u"-"}}},
                    ParseCase{u"say \"a /b\" 'c /d' /a", u"say \"a /b\" 'c /d'", {{u'a', u"-"}}},
                    ParseCase{u"a/b", u"a/b", {}}, ParseCase{u"/a word", u"word", {{u'a', u"-"}}},
                    ParseCase{u"\"open /a", u"\"open /a", {}}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(ParseOptions, RefusedOption)
{
    Parse result = parse(u"first /a /x /a", u"ab:c::", u'x');
    EXPECT_EQ(result.status, UTL_E_OPTION_REFUSED);
    EXPECT_EQ(result.reported, (R{{u'a', u"-"}, {u'x', u"-"}}));
}

TEST(ParseOptions, MissingParts)
{
    char16_t text[] = u"/a";
    Recorder recorder;
    EXPECT_EQ(UtlParseOptions(text, u"a", nullptr, &recorder), UTL_E_POINTER);
    EXPECT_EQ(UtlParseOptions(nullptr, u"a", record, &recorder), UTL_E_INVALIDARG);
    EXPECT_EQ(UtlParseOptions(text, nullptr, record, &recorder), UTL_E_INVALIDARG);
}

}  // namespace
