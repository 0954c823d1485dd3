// The active code page comes from the "CodePage" setting; a process reads it
// once, so this test has its own program.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "logora/engine/text/CodePage.h"
#include "platform/paths/Paths.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

TEST(ActiveCodePage, ReadFromTheSettings)
{
    logora::testing::ScratchDir scratch;
    std::string config = platform::FolderOf(scratch.file("x"));
    setenv("XDG_CONFIG_HOME", config.c_str(), 1);
    ASSERT_TRUE(platform::MakeFolders(config + "/Kestra Applications"));
    std::ofstream(config + "/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini")
        << "[Options]\nCodePage=1250\n";
    EXPECT_EQ(logora::ActiveCodePage(), 1250);
    EXPECT_EQ(logora::ToUtf16("\x8A"), u"\u0160");
}

}  // namespace
