#include "platform/paths/Paths.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <set>

#include "platform/paths/LockedTempFile.h"
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
    platform::LockedTempFile files[20];
    for (platform::LockedTempFile& file : files) {
        ASSERT_TRUE(file.create(folder, "TMP", ".tmp"));
        EXPECT_EQ(file.path().rfind(folder + "/TMP", 0), 0u) << file.path();
        EXPECT_EQ(access(file.path().c_str(), F_OK), 0);
        names.insert(file.path());
    }
    EXPECT_EQ(names.size(), 20u);
    platform::LockedTempFile nowhere;
    EXPECT_FALSE(nowhere.create("/no/such/folder", "TMP", ".tmp"));
    EXPECT_TRUE(nowhere.path().empty());
}

// The child creates a temporary file, says its name and waits to be killed.
std::string TempFileOfAKilledChild(const std::string& folder)
{
    int channel[2];
    if (pipe(channel) != 0) return {};
    const pid_t child = fork();
    if (child == 0) {
        platform::LockedTempFile file;
        if (!file.create(folder, "TMP", ".tmp")) _exit(1);
        if (write(channel[1], file.path().data(), file.path().size()) < 0) _exit(1);
        close(channel[1]);
        pause();
        _exit(0);
    }
    close(channel[1]);
    char name[4096];
    const ssize_t length = child > 0 ? read(channel[0], name, sizeof name) : -1;
    close(channel[0]);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    return length > 0 ? std::string(name, static_cast<size_t>(length)) : std::string();
}

TEST(Paths, TempFilesOfDeadOwnersAreRemovedAndLiveOnesKept)
{
    ScratchDir scratch;
    const std::string folder = platform::FolderOf(scratch.file("x"));
    const std::string abandoned = TempFileOfAKilledChild(folder);
    ASSERT_FALSE(abandoned.empty());
    ASSERT_EQ(access(abandoned.c_str(), F_OK), 0);
    platform::LockedTempFile live;
    ASSERT_TRUE(live.create(folder, "TMP", ".tmp"));
    // Names that this program does not make are left alone.
    const std::string other = scratch.file("TMPnotes.txt");
    close(open(other.c_str(), O_CREAT | O_WRONLY, 0600));

    EXPECT_EQ(platform::RemoveAbandonedTempFiles(folder, "TMP", ".tmp"), 1u);
    EXPECT_NE(access(abandoned.c_str(), F_OK), 0);
    EXPECT_EQ(access(live.path().c_str(), F_OK), 0);
    EXPECT_EQ(access(other.c_str(), F_OK), 0);
    const std::string livePath = live.path();
    live.remove();
    EXPECT_NE(access(livePath.c_str(), F_OK), 0);
}

TEST(Paths, ConfigAndStateHomeFromXdgOrHome)
{
    setenv("XDG_CONFIG_HOME", "/cfg/", 1);
    setenv("XDG_STATE_HOME", "/state/", 1);
    EXPECT_EQ(platform::ConfigHome(), "/cfg");
    EXPECT_EQ(platform::UserStateFolder(), "/state");
    setenv("XDG_CONFIG_HOME", "relative", 1);  // not absolute: ignored
    setenv("XDG_STATE_HOME", "relative", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(platform::ConfigHome(), "/home/someone/.config");
    EXPECT_EQ(platform::UserStateFolder(), "/home/someone/.local/state");
    unsetenv("XDG_CONFIG_HOME");
    unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(platform::ConfigHome(), "/home/someone/.config");
    EXPECT_EQ(platform::UserStateFolder(), "/home/someone/.local/state");
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
