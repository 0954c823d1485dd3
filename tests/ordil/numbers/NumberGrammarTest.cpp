// The integer and decimal number grammars, plain and with the locale's point.
#include "ordil/include/ordil.h"
#include "tests/ordil/support/TempFolder.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

#include "CaseName.h"

namespace {

struct GrammarCase
{
    std::u16string text;
    int isFloat;
    int isInt;
};

void PrintTo(const GrammarCase& c, std::ostream* os)
{
    *os << '"' << std::string(c.text.begin(), c.text.end()) << '"';
}

class NumberGrammar : public testing::TestWithParam<GrammarCase>
{
};

TEST_P(NumberGrammar, Classifies)
{
    EXPECT_EQ(UtlIsValidFloat(GetParam().text.c_str()), GetParam().isFloat);
    EXPECT_EQ(UtlIsValidInt(GetParam().text.c_str()), GetParam().isInt);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, NumberGrammar,
    testing::Values(GrammarCase{u"1", 1, 1}, GrammarCase{u"-1.5", 1, 0}, GrammarCase{u".5", 1, 0},
                    GrammarCase{u"1.", 1, 0}, GrammarCase{u"1e5", 1, 0}, GrammarCase{u"  \t42", 1, 1},
                    GrammarCase{u"1.5E-3  ", 1, 0}, GrammarCase{u"+2e+7", 1, 0}, GrammarCase{u"", 0, 0},
                    GrammarCase{u"1 ", 0, 1}, GrammarCase{u" 7 ", 0, 1}, GrammarCase{u"-7", 1, 1},
                    GrammarCase{u"e5", 0, 0}, GrammarCase{u"1e", 0, 0}, GrammarCase{u"1.2.3", 0, 0},
                    GrammarCase{u"+-1", 0, 0}, GrammarCase{u"--1", 0, 0}, GrammarCase{u"1.0", 1, 0},
                    GrammarCase{u".", 0, 0}, GrammarCase{u"-", 0, 0}, GrammarCase{u"- 1", 0, 0},
                    GrammarCase{u"1e5x", 0, 0}, GrammarCase{u"1,5", 0, 0}, GrammarCase{u"\u0661", 0, 0},
                    GrammarCase{u"1 2", 0, 0}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.text); });

TEST(NumberGrammar, MissingTextIsNoNumber)
{
    EXPECT_EQ(UtlIsValidFloat(nullptr), 0);
    EXPECT_EQ(UtlIsValidInt(nullptr), 0);
}

// Sets LC_ALL (and LOCPATH) for one test and restores them.
class LocaleEnvironment : public testing::Test
{
protected:
    void TearDown() override
    {
        setenv("LC_ALL", "C", 1);
        unsetenv("LOCPATH");
    }
};

TEST_F(LocaleEnvironment, PlainLocaleUsesThePoint)
{
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(UtlLocaleIsValidFloat(u"1.5"), 1);
    EXPECT_EQ(UtlLocaleIsValidFloat(u"1,5"), 0);
}

TEST_F(LocaleEnvironment, UnreadableLocaleGivesNo)
{
    setenv("LC_ALL", "xx_NOWHERE.UTF-8", 1);
    EXPECT_EQ(UtlLocaleIsValidFloat(u"1.5"), 0);
}

// Runs in a child process that ends without exit handlers: glibc keeps (and
// never frees) what it loads for a locale from LOCPATH.
TEST_F(LocaleEnvironment, CommaLocaleUsesTheComma)
{
    ordil::test::TempFolder locales;
    std::string build =
        "localedef -i de_DE -f UTF-8 " + (locales.path() / "de_DE.UTF-8").string() + " 2>/dev/null";
    if (std::system(build.c_str()) != 0) GTEST_SKIP() << "localedef cannot build de_DE here";
    pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        setenv("LOCPATH", locales.path().c_str(), 1);
        setenv("LC_ALL", "de_DE.UTF-8", 1);
        bool ok = UtlLocaleIsValidFloat(u"1,5") == 1 && UtlLocaleIsValidFloat(u"-,5e3 ") == 1 &&
                  UtlLocaleIsValidFloat(u"1.5") == 0 && UtlIsValidFloat(u"1.5") == 1;
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the comma is the point, the full stop is not";
}

}  // namespace
