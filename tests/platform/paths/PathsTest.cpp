#include "platform/paths/Paths.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <set>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::testing::ScratchDir;

TEST(Paths, ExecutablePathNamesThisTestProgram)
{
    std::string path = platform::ExecutablePath();
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(path.front(), '/');
    EXPECT_NE(path.find("platform_paths_tests"), std::string::npos);
}

TEST(Paths, JoinAndFolderOf)
{
    EXPECT_EQ(platform::JoinPath("/a", "b"), "/a/b");
    EXPECT_EQ(platform::JoinPath("/a/", "b"), "/a/b");
    EXPECT_EQ(platform::JoinPath("", "b"), "b");
    EXPECT_EQ(platform::FolderOf("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(platform::FolderOf("/c.txt"), "/");
    EXPECT_EQ(platform::FolderOf("c.txt"), ".");
}

TEST(Paths, TempFolderFollowsTmpdirWhenItIsAFolder)
{
    ScratchDir scratch;
    std::string folder = platform::FolderOf(scratch.file("x"));
    setenv("TMPDIR", (folder + "/").c_str(), 1);
    EXPECT_EQ(platform::TempFolder(), folder);
    setenv("TMPDIR", "/no/such/folder", 1);
    EXPECT_EQ(platform::TempFolder(), "/tmp");
    unsetenv("TMPDIR");
}

TEST(Paths, UniqueTempFilesExistAndDiffer)
{
    ScratchDir scratch;
    std::string folder = platform::FolderOf(scratch.file("x"));
    std::set<std::string> names;
    for (int i = 0; i < 20; ++i) {
        std::string name = platform::CreateUniqueTempFile(folder, "TMP");
        ASSERT_FALSE(name.empty());
        EXPECT_EQ(name.rfind(folder + "/TMP", 0), 0u) << name;
        EXPECT_EQ(access(name.c_str(), F_OK), 0);
        names.insert(name);
    }
    EXPECT_EQ(names.size(), 20u);
    EXPECT_TRUE(platform::CreateUniqueTempFile("/no/such/folder", "TMP").empty());
}

TEST(Paths, ConfigHomeFromXdgOrHome)
{
    setenv("XDG_CONFIG_HOME", "/cfg/", 1);
    EXPECT_EQ(platform::ConfigHome(), "/cfg");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(platform::ConfigHome(), "/home/someone/.config");
    unsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(platform::ConfigHome(), "/home/someone/.config");
}

TEST(Paths, MakeFoldersCreatesParents)
{
    ScratchDir scratch;
    std::string deep = scratch.file("a/b/c");
    ASSERT_TRUE(platform::MakeFolders(deep));
    struct stat info
    {
    };
    EXPECT_EQ(stat(deep.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_TRUE(platform::MakeFolders(deep));
}

}  // namespace
