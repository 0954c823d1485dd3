// Folder creation and existence, drives and shares, file copy and volume
// queries, on a temporary folder.
#include "ordil/include/ordil.h"
#include "tests/ordil/support/TempFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/statvfs.h>

#include <filesystem>

namespace {

using ordil::test::readAll;
using ordil::test::TempFolder;
using ordil::test::u16;
namespace fs = std::filesystem;

std::u16string pathOf(const fs::path& path)
{
    return u16(path.string());
}

// "\\tmp\<name>": on this platform the share test reads it as /tmp/<name>.
std::u16string asShare(const TempFolder& folder)
{
    return u"\\\\tmp\\" + u16(folder.name());
}

TEST(DirectoryCreate, CreatesMissingLevelsBelowAnExistingOne)
{
    TempFolder temp;
    fs::create_directory(temp.path() / "first");
    std::u16string path = pathOf(temp.path()) + u"\\first\\second/third";
    EXPECT_EQ(UtlDirectoryCreate(path.c_str()), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() / "first" / "second" / "third"));
    EXPECT_EQ(UtlDirectoryCreate(path.c_str()), 1) << "an existing folder is success";
}

TEST(DirectoryCreate, UsesFullAccessLessTheUmask)
{
    TempFolder temp;
    mode_t previous = umask(027);
    int created = UtlDirectoryCreate((pathOf(temp.path()) + u"/made").c_str());
    umask(previous);
    ASSERT_EQ(created, 1);
    struct stat status;
    ASSERT_EQ(stat((temp.path() / "made").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0750u);
}

TEST(DirectoryCreate, Refuses)
{
    TempFolder temp;
    temp.write("file", "x");
    EXPECT_EQ(UtlDirectoryCreate((pathOf(temp.path()) + u"/file").c_str()), 0) << "a file is in the way";
    EXPECT_EQ(UtlDirectoryCreate((pathOf(temp.path()) + u"/file/sub").c_str()), 0);
    EXPECT_EQ(UtlDirectoryCreate((pathOf(temp.path()) + u"/ok/nul/x").c_str()), 0) << "reserved name";
    EXPECT_FALSE(fs::exists(temp.path() / "ok")) << "names are checked before anything is created";
    EXPECT_EQ(UtlDirectoryCreate(u"Q:\\data"), 0) << "no drive exists here";
    EXPECT_EQ(UtlDirectoryCreate(nullptr), 0);
}

TEST(DirectoryCreate, ShareRootGivesWhetherItIsReachable)
{
    TempFolder temp;
    EXPECT_EQ(UtlDirectoryCreate(asShare(temp).c_str()), 1);
    EXPECT_EQ(UtlDirectoryCreate(u"\\\\no-such-server\\no-such-share"), 0);
    EXPECT_EQ(UtlDirectoryCreate((asShare(temp) + u"\\a\\b").c_str()), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() / "a" / "b"));
}

TEST(DirectoryExists, TellsFoldersFromFiles)
{
    TempFolder temp;
    temp.write("file", "x");
    EXPECT_EQ(UtlDirectoryExists(pathOf(temp.path()).c_str()), 1);
    EXPECT_EQ(UtlDirectoryExists((pathOf(temp.path()) + u"\\").c_str()), 1);
    EXPECT_EQ(UtlDirectoryExists((pathOf(temp.path()) + u"/file").c_str()), 0);
    EXPECT_EQ(UtlDirectoryExists((pathOf(temp.path()) + u"/missing").c_str()), 0);
    EXPECT_EQ(UtlDirectoryExists((asShare(temp) + u"\\file").c_str()), 1) << "any entry of a share counts";
    EXPECT_EQ(UtlDirectoryExists(u"C:\\"), 0);
    EXPECT_EQ(UtlDirectoryExists(nullptr), 0);
}

TEST(DriveExists, DrivesNeverExistPathsWithoutOneAlwaysDo)
{
    TempFolder temp;
    EXPECT_EQ(UtlDriveExists(u"relative\\file.txt"), 1);
    EXPECT_EQ(UtlDriveExists(u"/absolute/file.txt"), 1);
    EXPECT_EQ(UtlDriveExists(u"q:\\data"), 0);
    EXPECT_EQ(UtlDriveExists(u"C:"), 0);
    EXPECT_EQ(UtlDriveExists(asShare(temp).c_str()), 1);
    EXPECT_EQ(UtlDriveExists((asShare(temp) + u"\\missing\\file").c_str()), 1) << "only the share counts";
    EXPECT_EQ(UtlDriveExists(u"\\\\no-such-server\\share"), 0);
    EXPECT_EQ(UtlDriveExists(nullptr), 0);
}

TEST(FileCopy, CopiesAndOverwrites)
{
    TempFolder temp;
    std::string content = std::string("line\r\n\x1a\0tail", 12) + std::string(70000, 'z');
    fs::path source = temp.write("source.bin", content);
    fs::path target = temp.write("target.bin", std::string(100000, 'o'));
    EXPECT_EQ(UtlFileCopy(pathOf(source).c_str(), pathOf(target).c_str()), 1);
    EXPECT_EQ(readAll(target), content);
    EXPECT_EQ(UtlFileCopy(pathOf(source).c_str(), (pathOf(temp.path()) + u"\\new.bin").c_str()), 1);
    EXPECT_EQ(readAll(temp.path() / "new.bin"), content);
}

TEST(FileCopy, FailureLeavesTheTargetAlone)
{
    TempFolder temp;
    fs::path target = temp.write("target.txt", "keep");
    EXPECT_EQ(UtlFileCopy((pathOf(temp.path()) + u"/missing").c_str(), pathOf(target).c_str()), 0);
    EXPECT_EQ(UtlFileCopy(pathOf(temp.path()).c_str(), pathOf(target).c_str()), 0) << "a folder is no file";
    EXPECT_EQ(readAll(target), "keep");
    EXPECT_EQ(UtlFileCopy(pathOf(target).c_str(), (pathOf(temp.path()) + u"/no/such/dir").c_str()), 0);
    EXPECT_EQ(UtlFileCopy(pathOf(target).c_str(), pathOf(target).c_str()), 1) << "onto itself";
    EXPECT_EQ(readAll(target), "keep");
    EXPECT_EQ(fs::directory_iterator(temp.path())->path(), target) << "no temporary file left";
}

uint32_t expectedFreeSpace(const fs::path& path)
{
    struct statvfs volume;
    EXPECT_EQ(statvfs(path.c_str(), &volume), 0);
    uint64_t bytes = uint64_t(volume.f_bfree) * volume.f_frsize;
    return bytes > 0xFFFFFFFFu ? 0xFFFFFFFFu : uint32_t(bytes);
}

TEST(GetDiskFreeSpace, ReportsTheVolumeOfThePath)
{
    TempFolder temp;
    uint32_t expected = expectedFreeSpace(temp.path());
    EXPECT_NEAR(double(UtlGetDiskFreeSpace(pathOf(temp.path()).c_str())), double(expected), 1 << 24);
    EXPECT_NEAR(double(UtlGetDiskFreeSpace((pathOf(temp.path()) + u"\\not\\yet\\made.txt").c_str())),
                double(expected), 1 << 24)
        << "a path still to be created is measured on the volume that will hold it";
    EXPECT_EQ(UtlGetDiskFreeSpace(u"C:\\"), 0u);
    EXPECT_EQ(UtlGetDiskFreeSpace(u"\\\\no-such-server\\share\\dir"), 0u);
    EXPECT_EQ(UtlGetDiskFreeSpace(nullptr), 0u);
}

TEST(LongFilenameSupported, AsksTheVolumeOfTheRoot)
{
    EXPECT_EQ(UtlLongFilenameSupported(u"relative.txt"), 1) << "the current folder's volume";
    EXPECT_EQ(UtlLongFilenameSupported(u"/tmp/file.txt"), 1);
    EXPECT_EQ(UtlLongFilenameSupported(u"C:\\file.txt"), 0);
    EXPECT_EQ(UtlLongFilenameSupported(u"\\\\server"), 0) << "no root";
    EXPECT_EQ(UtlLongFilenameSupported(u"\\\\no-such-server\\share"), 0);
}

}  // namespace
