#include "platform/files/ReplacementFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/paths/Paths.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::testing::ScratchDir;

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

size_t EntriesIn(const std::string& folder)
{
    size_t count = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(ReplacementFile, CommitReplacesTheTarget)
{
    ScratchDir scratch;
    std::string target = scratch.file("out.csv");
    Write(target, "old");
    platform::ReplacementFile file;
    ASSERT_TRUE(file.Begin(target));
    EXPECT_EQ(platform::FolderOf(file.TemporaryPath()), platform::FolderOf(target));
    Write(file.TemporaryPath(), "new");
    EXPECT_EQ(Contents(target), "old");  // untouched until the commit
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Contents(target), "new");
    EXPECT_EQ(EntriesIn(platform::FolderOf(target)), 1u);

    struct stat info
    {
    };
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST(ReplacementFile, ALinkStaysALinkAndItsTargetIsReplaced)
{
    ScratchDir scratch;
    std::filesystem::create_directories(scratch.file("data"));
    Write(scratch.file("data/real.csv"), "old");
    std::filesystem::create_symlink("data/real.csv", scratch.file("middle.csv"));
    std::filesystem::create_symlink("middle.csv", scratch.file("link.csv"));
    platform::ReplacementFile file;
    ASSERT_TRUE(file.Begin(scratch.file("link.csv")));
    Write(file.TemporaryPath(), "new");
    ASSERT_TRUE(file.Commit());
    EXPECT_TRUE(std::filesystem::is_symlink(scratch.file("link.csv")));
    EXPECT_TRUE(std::filesystem::is_symlink(scratch.file("middle.csv")));
    EXPECT_EQ(Contents(scratch.file("data/real.csv")), "new");
    EXPECT_EQ(EntriesIn(scratch.file("data")), 1u);
}

TEST(ReplacementFile, TheReplacedFileKeepsItsMode)
{
    ScratchDir scratch;
    std::string target = scratch.file("out.csv");
    Write(target, "old");
    ASSERT_EQ(chmod(target.c_str(), 0640), 0);
    platform::ReplacementFile file;
    ASSERT_TRUE(file.Begin(target));
    Write(file.TemporaryPath(), "new");
    ASSERT_TRUE(file.Commit());
    struct stat info
    {
    };
    ASSERT_EQ(stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(ReplacementFile, UncommittedOutputLeavesTheTargetAsItWas)
{
    ScratchDir scratch;
    std::string target = scratch.file("out.csv");
    Write(target, "old");
    {
        platform::ReplacementFile file;
        ASSERT_TRUE(file.Begin(target));
        Write(file.TemporaryPath(), "half");
    }
    EXPECT_EQ(Contents(target), "old");
    EXPECT_EQ(EntriesIn(platform::FolderOf(target)), 1u);

    platform::ReplacementFile discarded;
    ASSERT_TRUE(discarded.Begin(scratch.file("new.csv")));
    discarded.Discard();
    EXPECT_FALSE(discarded.Commit());
    EXPECT_FALSE(std::filesystem::exists(scratch.file("new.csv")));
}

TEST(ReplacementFile, BeginFailsWhereNoFileCanBeCreated)
{
    platform::ReplacementFile file;
    EXPECT_FALSE(file.Begin("/no/such/folder/out.csv"));
    EXPECT_TRUE(file.TemporaryPath().empty());
    EXPECT_FALSE(file.Commit());
}

TEST(ReplacementFile, CommitOntoAFolderFailsAndCleansUp)
{
    ScratchDir scratch;
    std::string target = scratch.file("folder");
    std::filesystem::create_directories(target + "/inside");
    platform::ReplacementFile file;
    ASSERT_TRUE(file.Begin(target));
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(EntriesIn(platform::FolderOf(target)), 1u);
}

}  // namespace
