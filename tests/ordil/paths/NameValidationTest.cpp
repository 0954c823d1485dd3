// File, folder and UNC name checks, called through the library's exports.
#include "ordil/include/ordil.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct NameCase
{
    std::u16string text;
    int expected;
};

void PrintTo(const NameCase& c, std::ostream* os)
{
    *os << std::string(c.text.begin(), c.text.end()) << " -> " << c.expected;
}

class BaseFilenameValid : public testing::TestWithParam<NameCase>
{
};

TEST_P(BaseFilenameValid, Classifies)
{
    EXPECT_EQ(UtlBaseFilenameValid(GetParam().text.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Names, BaseFilenameValid,
                         testing::Values(NameCase{u"con", 0}, NameCase{u"Lpt3", 0}, NameCase{u"clock$", 0},
                                         NameCase{u"CLOCK$", 0}, NameCase{u"nUl", 0}, NameCase{u"CON1", 1},
                                         NameCase{u"COM5", 1}, NameCase{u"CON.txt", 1}, NameCase{u"", 1},
                                         NameCase{u" _^$~!#%&-{}()@'`+,;=[].", 1},
                                         NameCase{u"Report 2024", 1}, NameCase{u"\u00c4nderung\u6587", 1},
                                         NameCase{u"a<b", 0}, NameCase{u"a*b", 0}, NameCase{u"a:b", 0},
                                         NameCase{u"a\"b", 0}, NameCase{u"a?b", 0},
                                         // Beyond the listed set only characters outside ASCII are admitted.
                                         NameCase{u"a\\b", 0}, NameCase{u"a|b", 0}, NameCase{u"a\x7f", 0}));

class FilenameValid : public testing::TestWithParam<NameCase>
{
};

TEST_P(FilenameValid, ExaminesOnlyTheFileNamePart)
{
    EXPECT_EQ(UtlFilenameValid(GetParam().text.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Paths, FilenameValid,
                         testing::Values(NameCase{u"con.txt", 0}, NameCase{u"C:\\data\\con.txt", 0},
                                         NameCase{u"data/Con", 0}, NameCase{u"file.t<t", 0},
                                         NameCase{u"fo<lder\\file.txt", 1}, NameCase{u"X:\\a|b\\ok.txt", 1},
                                         NameCase{u"", 1}, NameCase{u"a.b.c", 1}, NameCase{u".profile", 1},
                                         NameCase{u"dir/", 1}, NameCase{u"a<b.txt", 0},
                                         NameCase{std::u16string(256, u'n') + u".txt", 1},
                                         NameCase{std::u16string(257, u'n') + u".txt", 0}));

class DirNameValid : public testing::TestWithParam<NameCase>
{
};

TEST_P(DirNameValid, ExaminesEveryComponent)
{
    EXPECT_EQ(UtlDirNameValid(GetParam().text.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Folders, DirNameValid,
                         testing::Values(NameCase{u"C:", 1}, NameCase{u"C:\\", 1},
                                         NameCase{u"C:\\data\\logs", 1}, NameCase{u"C:\\data\\nul", 0},
                                         NameCase{u"data/NUL/x", 0}, NameCase{u"a\\b/c", 1},
                                         NameCase{u"a\\b<\\c", 0}, NameCase{u"dir\\x.<", 1},
                                         NameCase{u"\\\\server\\share", 1},
                                         NameCase{u"a\\" + std::u16string(255, u'n'), 1},
                                         NameCase{u"a\\" + std::u16string(256, u'n'), 0}, NameCase{u"", 1}));

class IsUncPath : public testing::TestWithParam<NameCase>
{
};

TEST_P(IsUncPath, Recognises)
{
    EXPECT_EQ(UtlIsUNCPath(GetParam().text.c_str()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Forms, IsUncPath,
                         testing::Values(NameCase{u"\\\\server\\share", 1}, NameCase{u"\\\\server/share", 1},
                                         NameCase{u"\\\\server\\share\\dir\\file.txt", 1},
                                         NameCase{u"\\\\s\\t", 1}, NameCase{u"\\\\server", 0},
                                         NameCase{u"\\\\server\\", 0}, NameCase{u"\\\\\\server\\share", 0},
                                         NameCase{u"\\\\server\\\\share", 0},
                                         NameCase{u"\\\\server/\\share", 0}, NameCase{u"\\\\", 0},
                                         NameCase{u"//server/share", 0}, NameCase{u"C:\\share", 0},
                                         NameCase{u"\\\\server\\" + std::u16string(251, u's'), 1},
                                         NameCase{u"\\\\server\\" + std::u16string(252, u's'), 0}));

TEST(IsUncPath, MissingPathIsNotUnc)
{
    EXPECT_EQ(UtlIsUNCPath(nullptr), 0);
}

}  // namespace
