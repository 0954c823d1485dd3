// What a replacement meets in folders it shares with other runs and other
// users: temporary files that killed runs left behind, and links planted by
// someone else.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "platform/files/ReplacementFile.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

namespace fs = std::filesystem;
using logora::testing::ScratchDir;

// A user id that is not ours, for files made as root.
constexpr uid_t kOtherUser = 54321;

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void Write(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

// A run killed while it wrote leaves its temporary file unlocked.
TEST(ReplacementFile, BeginRemovesWhatKilledRunsLeftInTheFolder)
{
    ScratchDir scratch;
    const std::string target = scratch.file("out.csv");
    platform::ReplacementFile live;
    ASSERT_TRUE(live.Begin(target));
    Write(live.TemporaryPath(), "being written");
    const std::string abandoned = scratch.file(".partial-Ab12Cd");
    Write(abandoned, "half of an output");
    const std::string foreign = scratch.file(".partial-Ef34Gh");
    Write(foreign, "another user's");
    const bool othersFile = lchown(foreign.c_str(), kOtherUser, kOtherUser) == 0;
    const std::string unlike = scratch.file(".partial-notes.txt");
    Write(unlike, "not ours");

    platform::ReplacementFile next;
    ASSERT_TRUE(next.Begin(target));
    EXPECT_FALSE(fs::exists(abandoned));
    EXPECT_EQ(Contents(live.TemporaryPath()), "being written");
    EXPECT_EQ(fs::exists(foreign), othersFile);
    EXPECT_TRUE(fs::exists(unlike));
    Write(next.TemporaryPath(), "next");
    ASSERT_TRUE(next.Commit());
    EXPECT_EQ(Contents(target), "next");
}

// A batch run removes the leftovers of its output folder once, before its
// conversions begin, and their Begins do not look again; other folders are
// looked at as before.
TEST(ReplacementFile, LeftoversRemovedOnceForAFolderAreNotLookedForAgain)
{
    ScratchDir scratch;
    const std::string cleaned = scratch.file("cleaned");
    const std::string other = scratch.file("other");
    fs::create_directories(cleaned);
    fs::create_directories(other);
    Write(cleaned + "/.partial-Ab12Cd", "left by a killed run");
    platform::RemoveLeftoverReplacements(cleaned);
    EXPECT_FALSE(fs::exists(cleaned + "/.partial-Ab12Cd"));

    Write(cleaned + "/.partial-Ef34Gh", "left while the batch runs");
    Write(other + "/.partial-Ij56Kl", "left in another folder");
    platform::ReplacementFile first;
    ASSERT_TRUE(first.Begin(cleaned + "/a.csv"));
    platform::ReplacementFile second;
    ASSERT_TRUE(second.Begin(other + "/b.csv"));
    EXPECT_TRUE(fs::exists(cleaned + "/.partial-Ef34Gh"));
    EXPECT_FALSE(fs::exists(other + "/.partial-Ij56Kl"));
}

// Another user's link in a folder everyone may write to (as /tmp) could send
// the output over any file of ours.
TEST(ReplacementFile, InASharedFolderOnlyLinksOfTheUserOrTheFolderOwnerAreFollowed)
{
    ScratchDir scratch;
    const std::string shared = scratch.file("shared");
    fs::create_directories(shared);
    ASSERT_EQ(chmod(shared.c_str(), 01777), 0);
    const std::string precious = scratch.file("precious.txt");
    Write(precious, "precious");
    const std::string planted = shared + "/out.csv";
    fs::create_symlink("../precious.txt", planted);
    if (lchown(planted.c_str(), kOtherUser, kOtherUser) != 0)
        GTEST_SKIP() << "a link of another user needs root";

    platform::ReplacementFile file;
    EXPECT_FALSE(file.Begin(planted));
    EXPECT_EQ(errno, EACCES);
    EXPECT_TRUE(file.Failure().starts_with(planted + ": ")) << file.Failure();
    EXPECT_EQ(Contents(precious), "precious");
    EXPECT_TRUE(fs::is_symlink(planted));

    const std::string own = shared + "/own.csv";
    fs::create_symlink("../precious.txt", own);
    ASSERT_TRUE(file.Begin(own));
    Write(file.TemporaryPath(), "new");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(Contents(precious), "new");
}

}  // namespace
