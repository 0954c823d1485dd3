// The working copy of the table in the user's cache folder: its content,
// and that planted links neither get written through nor stop the help.
#include <gtest/gtest.h>

#include <fstream>

#include "tests/guidara/support/HelpSandbox.h"

namespace guidara_test {
namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class WorkingCopyTest : public ::testing::Test
{
protected:
    void SetUp() override { sandbox.SetEnv("KestraCommonHelpDir", "/help/"); }

    // Loads the library afresh, so that the table is loaded again, and asks
    // for the vettle page.
    int AskForHelp() const
    {
        GuidaraLibrary library(GUIDARA_LIBRARY);
        return library.InvokeHelpW(nullptr, u"ZAZIzezIveZodidiDarevedazIziduda.chm", 15, 1001);
    }

    HelpSandbox sandbox;
};

TEST_F(WorkingCopyTest, HoldsTheBuiltInTableAndIsRewrittenAtEachLoad)
{
    ASSERT_EQ(AskForHelp(), 1);
    const std::string table = ReadBytes(GUIDARA_MAPPING_CSV);
    EXPECT_EQ(ReadBytes(sandbox.WorkingCopy()), table);
    EXPECT_EQ(fs::status(sandbox.WorkingCopy().parent_path()).permissions() & fs::perms::all,
              fs::perms::owner_all);

    std::ofstream(sandbox.WorkingCopy(), std::ios::binary | std::ios::trunc) << "spoiled";
    ASSERT_EQ(AskForHelp(), 1);
    EXPECT_EQ(ReadBytes(sandbox.WorkingCopy()), table);
}

TEST_F(WorkingCopyTest, PlantedLinkIsReplacedNotWrittenThrough)
{
    const fs::path victim = sandbox.Root() / "victim";
    std::ofstream(victim) << "keep me";
    fs::create_directories(sandbox.WorkingCopy().parent_path());
    fs::create_symlink(victim, sandbox.WorkingCopy());

    EXPECT_EQ(AskForHelp(), 1);
    EXPECT_EQ(ReadBytes(victim), "keep me");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(sandbox.WorkingCopy())));
}

TEST_F(WorkingCopyTest, LinkedFolderIsNotUsedButHelpStillWorks)
{
    const fs::path elsewhere = sandbox.Root() / "elsewhere";
    fs::create_directories(elsewhere);
    fs::create_directories(sandbox.WorkingCopy().parent_path().parent_path());
    fs::create_directory_symlink(elsewhere, sandbox.WorkingCopy().parent_path());

    EXPECT_EQ(AskForHelp(), 1);
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_EQ(sandbox.WaitForOpened(1), std::vector<std::string>{OpenedRecord("/help/Vettle/Help/1001.htm")});
}

}  // namespace
}  // namespace guidara_test
