// Folder creation and existence, drives and shares, file copy and volume
// queries, on a temporary folder.
#include "ordil/include/ordil.h"
#include "tests/ordil/support/TempFolder.h"

#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <optional>

namespace {

using ordil::test::readAll;
using ordil::test::TempFolder;
using ordil::test::u16;
namespace fs = std::filesystem;

std::u16string pathOf(const fs::path& path)
{
    return u16(path.string());
}

// "\\tmp\<name>": the share <name> of the server tmp, which is the folder
// /tmp/<name> while ShareRoots holds /tmp.
std::u16string asShare(const TempFolder& folder)
{
    return u"\\\\tmp\\" + u16(folder.name());
}

// The folders under which shares are mounted, for one test; nullopt leaves
// the library's own choice.
class ShareRoots
{
public:
    explicit ShareRoots(const std::optional<std::string>& roots)
    {
        if (const char* old = getenv(kVariable)) saved_ = old;
        if (roots) {
            setenv(kVariable, roots->c_str(), 1);
        } else {
            unsetenv(kVariable);
        }
    }
    ~ShareRoots()
    {
        if (saved_) {
            setenv(kVariable, saved_->c_str(), 1);
        } else {
            unsetenv(kVariable);
        }
    }
    ShareRoots(const ShareRoots&) = delete;
    ShareRoots& operator=(const ShareRoots&) = delete;

private:
    static constexpr const char* kVariable = "ORDIL_SHARE_ROOTS";
    std::optional<std::string> saved_;
};

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
    ShareRoots roots("/tmp");
    EXPECT_EQ(UtlDirectoryCreate(asShare(temp).c_str()), 1);
    EXPECT_EQ(UtlDirectoryCreate(u"\\\\no-such-server\\no-such-share"), 0);
    EXPECT_EQ(UtlDirectoryCreate((asShare(temp) + u"\\a\\b").c_str()), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() / "a" / "b"));
}

TEST(DirectoryCreate, SharesExistOnlyWhereMountedAndKeepTheirPathsInside)
{
    TempFolder temp;
    temp.write("file", "x");
    {
        ShareRoots roots(std::nullopt);
        EXPECT_EQ(UtlDriveExists(asShare(temp).c_str()), 0) << "a local folder is no share";
        EXPECT_EQ(UtlDirectoryExists((asShare(temp) + u"\\file").c_str()), 0);
        EXPECT_EQ(UtlDirectoryCreate((asShare(temp) + u"\\made").c_str()), 0);
        EXPECT_FALSE(fs::exists(temp.path() / "made"));
    }
    ShareRoots roots(temp.path().string());
    fs::create_directories(temp.path() / "server" / "share");
    EXPECT_EQ(UtlDirectoryCreate(u"\\\\server\\share\\a\\..\\..\\made"), 1);
    EXPECT_TRUE(fs::is_directory(temp.path() / "server" / "share" / "made")) << "never above the share";
    EXPECT_FALSE(fs::exists(temp.path() / "made"));
    EXPECT_EQ(UtlDriveExists(u"\\\\server\\..\\x"), 0);
}

TEST(DirectoryExists, TellsFoldersFromFiles)
{
    TempFolder temp;
    ShareRoots roots("/tmp");
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
    ShareRoots roots("/tmp");
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

constexpr int kCannotDropPrivileges = 255;

// The exit status of a child process that returns what `call` returns; -1
// when it did not exit.
template <typename Call>
int inChild(Call call)
{
    pid_t child = fork();
    if (child == 0) _exit(call());
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Runs `call` without the power to write where permission bits forbid it: as
// is for an ordinary user, in a child switched to the user nobody for root.
template <typename Call>
int withoutPrivileges(Call call)
{
    if (geteuid() != 0) return call();
    const passwd* nobody = getpwnam("nobody");
    if (nobody == nullptr) return kCannotDropPrivileges;
    return inChild([&] {
        if (setgid(nobody->pw_gid) != 0 || setuid(nobody->pw_uid) != 0) return kCannotDropPrivileges;
        return call();
    });
}

TEST(FileCopy, LinksSeeTheNewContentAndTheFolderNeedNotBeWritable)
{
    TempFolder temp;
    fs::path source = temp.write("source.txt", "second");
    fs::create_directory(temp.path() / "locked");
    fs::path target = temp.write("locked/target.txt", "first");
    fs::path link = temp.path() / "link.txt";
    fs::create_hard_link(target, link);
    EXPECT_EQ(UtlFileCopy(pathOf(source).c_str(), pathOf(target).c_str()), 1);
    EXPECT_EQ(readAll(link), "second");

    temp.write("source.txt", "third");
    fs::permissions(temp.path(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(source, fs::perms::owner_all | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(target, fs::perms::all);
    fs::permissions(temp.path() / "locked", fs::perms::all & ~fs::perms::owner_write &
                                                ~fs::perms::group_write & ~fs::perms::others_write);
    int copied =
        withoutPrivileges([&] { return UtlFileCopy(pathOf(source).c_str(), pathOf(target).c_str()); });
    fs::permissions(temp.path() / "locked", fs::perms::owner_write, fs::perm_options::add);
    if (copied == kCannotDropPrivileges) GTEST_SKIP() << "cannot run as an unprivileged user here";
    EXPECT_EQ(copied, 1) << "the target is rewritten in place";
    EXPECT_EQ(readAll(target), "third");
    EXPECT_EQ(readAll(link), "third");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path() / "locked"), fs::directory_iterator()), 1);
}

// The result of `call` in a child process, or -1 when it has not returned
// within five seconds.
template <typename Call>
int withinFiveSeconds(Call call)
{
    return inChild([&] {
        alarm(5);
        return call();
    });
}

// A named pipe without a writer would stall the open, /dev/zero never ends:
// checksum and copy refuse both at once.
TEST(SpecialFiles, ChecksumAndCopyRefuseThemAtOnce)
{
    TempFolder temp;
    const fs::path pipe = temp.path() / "pipe";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    const fs::path target = temp.write("target.bin", "keep");
    for (const fs::path& special : {pipe, fs::path("/dev/zero")}) {
        const std::u16string path = pathOf(special);
        EXPECT_EQ(withinFiveSeconds([&] {
                      uint16_t checksum = 0;
                      return UtlFileCRC(path.c_str(), &checksum);
                  }),
                  0)
            << special;
        EXPECT_EQ(withinFiveSeconds([&] { return UtlFileCopy(path.c_str(), pathOf(target).c_str()); }), 0)
            << special;
    }
    EXPECT_EQ(readAll(target), "keep");
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
