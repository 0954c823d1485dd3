// File, folder and UNC name checks, called through the library's exports.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "CaseName.h"

namespace {

using Check = int (*)(const char16_t*);

struct NameCase
{
    Check check;
    std::u16string text;
    int expected;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << std::string(c.text.begin(), c.text.end()) << " -> " << c.expected;
}

std::vector<NameCase> casesFor(Check check, std::initializer_list<std::pair<std::u16string, int>> rows)
{
    std::vector<NameCase> cases;
    for (const auto& [text, expected] : rows) cases.push_back({check, text, expected});
    return cases;
}

class NameCheck : public testing::TestWithParam<NameCase>
{
};

TEST_P(NameCheck, Classifies)
{
    EXPECT_EQ(GetParam().check(GetParam().text.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    BaseFilenameValid, NameCheck,
    testing::ValuesIn(casesFor(UtlBaseFilenameValid,
                               {{u"con", 0},
                                {u"Lpt3", 0},
                                {u"clock$", 0},
                                {u"CLOCK$", 0},
                                {u"nUl", 0},
                                {u"CON1", 1},
                                {u"COM5", 1},
                                {u"CON.txt", 1},
                                {u"", 1},
                                {u" _^$~!#%&-{}()@'`+,;=[].", 1},
                                {u"Report 2024", 1},
                                {u"\u00c4nderung\u6587", 1},
                                {u"a<b", 0},
                                {u"a*b", 0},
                                {u"a:b", 0},
                                {u"a\"b", 0},
                                {u"a?b", 0},
                                // Beyond the listed set only characters outside ASCII are admitted.
                                {u"a\\b", 0},
                                {u"a|b", 0},
                                {u"a\x7f", 0}})),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

INSTANTIATE_TEST_SUITE_P(FilenameValid, NameCheck,
                         testing::ValuesIn(casesFor(UtlFilenameValid,
                                                    {{u"con.txt", 0},
                                                     {u"C:\\data\\con.txt", 0},
                                                     {u"data/Con", 0},
                                                     {u"file.t<t", 0},
                                                     {u"fo<lder\\file.txt", 1},
                                                     {u"X:\\a|b\\ok.txt", 1},
                                                     {u"", 1},
                                                     {u"a.b.c", 1},
                                                     {u".profile", 1},
                                                     {u"dir/", 1},
                                                     {u"a<b.txt", 0},
                                                     {std::u16string(256, u'n') + u".txt", 1},
                                                     {std::u16string(257, u'n') + u".txt", 0}})),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

INSTANTIATE_TEST_SUITE_P(DirNameValid, NameCheck,
                         testing::ValuesIn(casesFor(UtlDirNameValid, {{u"C:", 1},
                                                                      {u"C:\\", 1},
                                                                      {u"C:\\data\\logs", 1},
                                                                      {u"C:\\data\\nul", 0},
                                                                      {u"data/NUL/x", 0},
                                                                      {u"a\\b/c", 1},
                                                                      {u"a\\b<\\c", 0},
                                                                      {u"dir\\x.<", 1},
                                                                      {u"\\\\server\\share", 1},
                                                                      {u"a\\" + std::u16string(255, u'n'), 1},
                                                                      {u"a\\" + std::u16string(256, u'n'), 0},
                                                                      {u"", 1}})),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

INSTANTIATE_TEST_SUITE_P(IsUncPath, NameCheck,
                         testing::ValuesIn(casesFor(UtlIsUNCPath,
                                                    {{u"\\\\server\\share", 1},
                                                     {u"\\\\server/share", 1},
                                                     {u"\\\\server\\share\\dir\\file.txt", 1},
                                                     {u"\\\\s\\t", 1},
                                                     {u"\\\\server", 0},
                                                     {u"\\\\server\\", 0},
                                                     {u"\\\\\\server\\share", 0},
                                                     {u"\\\\server\\\\share", 0},
                                                     {u"\\\\server/\\share", 0},
                                                     {u"\\\\", 0},
                                                     {u"//server/share", 0},
                                                     {u"C:\\share", 0},
                                                     {u"\\\\server\\" + std::u16string(251, u's'), 1},
                                                     {u"\\\\server\\" + std::u16string(252, u's'), 0}})),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(IsUncPath, MissingPathIsNotUnc)
{
    EXPECT_EQ(UtlIsUNCPath(nullptr), 0);
}

}  // namespace
