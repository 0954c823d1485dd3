// The active code page comes from the "CodePage" setting, else from the
// user's locale; a process decides it once, so this test has its own program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "logora/engine/text/CodePage.h"
#include "logora/engine/text/LocaleCodePage.h"
#include "platform/paths/Paths.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

TEST(ActiveCodePage, ReadFromTheSettings)
{
    logora::testing::ScratchDir scratch;
    std::string config = platform::FolderOf(scratch.file("x"));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    setenv("LC_ALL", "C.UTF-8", 1);  // the setting wins over a UTF-8 locale
    ASSERT_TRUE(platform::MakeFolders(config + "/Kestra Applications"));
    std::ofstream(config + "/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini")
        << "[Options]\nCodePage=1250\n";
    EXPECT_EQ(logora::ActiveCodePage(), 1250);
    EXPECT_EQ(logora::ToUtf16("\x8A"), u"\u0160");
}

TEST(ActiveCodePage, WithoutSettingTheLocaleDecides)
{
    setenv("LC_ALL", "C.UTF-8", 1);
    EXPECT_EQ(logora::LocaleCodePage(), logora::kCodePageUtf8);
    setenv("LC_ALL", "C", 1);
    EXPECT_EQ(logora::LocaleCodePage(), 1252);
    EXPECT_EQ(logora::CodePageOfCharset("cp1251"), 1251);
    EXPECT_EQ(logora::CodePageOfCharset("ISO-8859-5"), 1252);
}

}  // namespace
