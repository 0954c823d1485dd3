// The argument grammar and the console flow: printed texts, report files and
// exit statuses.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "tests/vettle/LogEditing.h"
#include "vettle/ConsoleMode.h"
#include "vettle/MyCommandLineInfo.h"
#include "vettle/ReportFile.h"

#include "CaseName.h"

namespace vettle::test {
namespace {

struct GrammarCase
{
    std::vector<std::string> arguments;
    bool valid;
    bool help;
    size_t inputs;
    bool output;
};

class GrammarTest : public testing::TestWithParam<GrammarCase>
{
};

TEST_P(GrammarTest, AcceptsOnlyTheDocumentedShapes)
{
    MyCommandLineInfo info;
    info.ParseArguments(GetParam().arguments);
    EXPECT_EQ(info.IsValid(), GetParam().valid);
    EXPECT_EQ(info.IsHelp(), GetParam().help);
    if (GetParam().valid) {
        EXPECT_EQ(info.InputPaths().size(), GetParam().inputs);
        EXPECT_EQ(info.OutputGiven(), GetParam().output);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, GrammarTest,
    testing::Values(GrammarCase{{"-i", "a.csv"}, true, false, 1, false},
                    GrammarCase{{"-I", "a.csv", "-O", "r.txt"}, true, false, 1, true},
                    GrammarCase{{"/i", "a.csv", "/o", "r.txt"}, true, false, 1, true},
                    GrammarCase{{"-i", "dir/*.csv"}, true, false, 1, false},
                    GrammarCase{{"-i", "a.csv", "b.csv", "c.csv"}, true, false, 3, false},
                    GrammarCase{{"-i", "a.csv", "b.csv", "-o", "r.txt"}, true, false, 2, true},
                    GrammarCase{{"-i", "a.csv", "-o", "-"}, true, false, 1, true},
                    GrammarCase{{"-i", "/abs/a.csv"}, true, false, 1, false},
                    GrammarCase{{"?"}, false, true, 0, false}, GrammarCase{{" ? "}, false, true, 0, false},
                    GrammarCase{{"?", "x"}, false, false, 0, false},
                    GrammarCase{{"-?"}, false, false, 0, false}, GrammarCase{{"/?"}, false, false, 0, false},
                    GrammarCase{{"-i"}, false, false, 0, false},
                    GrammarCase{{"-i", "a.csv", "-o"}, false, false, 0, false},
                    GrammarCase{{"-o", "r.txt", "-i", "a.csv"}, false, false, 0, false},
                    GrammarCase{{"a.csv"}, false, false, 0, false},
                    GrammarCase{{"-i", "a.csv", "-o", "r.txt", "x"}, false, false, 0, false},
                    GrammarCase{{"-i", "-", "a.csv"}, false, false, 0, false},
                    GrammarCase{{"-x", "a.csv"}, false, false, 0, false}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.arguments); });

TEST(ReportName, RejectsEmptyNamesAndTheTwentyCharacters)
{
    EXPECT_TRUE(IsValidReportName("report.txt"));
    EXPECT_TRUE(IsValidReportName("/tmp/some.dir/report"));
    EXPECT_FALSE(IsValidReportName("a.b.txt"));
    EXPECT_FALSE(IsValidReportName("dir/.txt"));
    EXPECT_FALSE(IsValidReportName("dir/"));
    for (char c : kInvalidReportNameCharacters) {
        if (c == '/' || c == '.') continue;  // these split folder and extension off
        EXPECT_FALSE(IsValidReportName(std::string("r") + c + "x.txt")) << c;
    }
}

class ConsoleTest : public testing::Test
{
protected:
    int Run(std::vector<std::string> arguments)
    {
        out_.str("");
        err_.str("");
        return RunConsoleMode(arguments, {out_, err_});
    }
    std::string Printed() const { return out_.str(); }
    std::string Complaint() const { return err_.str(); }

    TempFolder folder_;
    std::ostringstream out_;
    std::ostringstream err_;
    const std::string good_ = integritycsv::MakeIntegrityLog({});
    std::string Tampered() const
    {
        auto lines = SplitLines(good_);
        lines[2][11] = '9';
        return JoinLines(lines);
    }
};

constexpr const char* kClosing = "Press Enter key to continue...\n";

TEST_F(ConsoleTest, HelpAndSyntaxError)
{
    EXPECT_EQ(Run({"?"}), kExitPassed);
    EXPECT_EQ(Printed().substr(0, 8), "\nUsage:\n");
    EXPECT_NE(Printed().find("(4) vettle -i \"detect_file_path\\*.csv\"\n"), std::string::npos);
    const std::string ending = std::string("folder will be detected.\n") + kClosing;
    EXPECT_EQ(Printed().substr(Printed().size() - ending.size()), ending);

    EXPECT_EQ(Run({"-i"}), kExitTrouble);
    EXPECT_EQ(Printed(),
              std::string("The syntax of the command is incorrect. Type vettle ? for help.\n") + kClosing);
    EXPECT_EQ(Complaint(), "vettle: The syntax of the command is incorrect. Type vettle ? for help.\n");
}

TEST_F(ConsoleTest, SinglePassingFilePrintsHeadingAndVerdict)
{
    const std::string path = folder_.Write("good.csv", good_);
    EXPECT_EQ(Run({"-i", path}), kExitPassed);
    EXPECT_EQ(Printed(), "Please wait...\nDetection report of file " + path +
                             ":\nPassed. No data adulteration detected.\n" + kClosing);
}

TEST_F(ConsoleTest, FindingsGiveExitOne)
{
    const std::string path = folder_.Write("bad.csv", Tampered());
    EXPECT_EQ(Run({"-i", path}), kExitTampered);
    EXPECT_EQ(Printed(), "Please wait...\nDetection report of file " + path +
                             ":\nAdulteration detected at line 3.\n" + kClosing);
}

TEST_F(ConsoleTest, MissingSingleFileIsAMessage)
{
    EXPECT_EQ(Run({"-i", folder_.Path() + "/none.csv"}), kExitTrouble);
    EXPECT_EQ(Printed(), "Detect file " + folder_.Path() + "/none.csv does not exist.\n" + kClosing);
    EXPECT_EQ(Complaint(), "vettle: Detect file " + folder_.Path() + "/none.csv does not exist.\n");
}

TEST_F(ConsoleTest, FolderPatternChecksMatchingFilesInNameOrder)
{
    folder_.Write("b.CSV", Tampered());
    folder_.Write("a.csv", good_);
    folder_.Write("c.txt", good_);
    std::filesystem::create_directory(folder_.Path() + "/d.csv");
    EXPECT_EQ(Run({"-i", folder_.Path() + "/*.csv"}), kExitTampered);
    const std::string p = folder_.Path() + "/";
    EXPECT_EQ(Printed(), "Please wait...\nDetection report of file " + p +
                             "a.csv:\nPassed. No data adulteration detected.\nDetection report of file " + p +
                             "b.CSV:\nAdulteration detected at line 3.\n" + kClosing);
}

TEST_F(ConsoleTest, EmptyFolderPatternPrintsAnEmptyReport)
{
    EXPECT_EQ(Run({"-i", folder_.Path() + "/*.csv"}), kExitPassed);
    EXPECT_EQ(Printed(), std::string("Please wait...\n\n") + kClosing);
    EXPECT_EQ(Run({"-i", folder_.Path() + "/missing/*.csv"}), kExitTrouble);
    EXPECT_EQ(Printed(), std::string("Please wait...\n\n") + kClosing);
    EXPECT_NE(Complaint().find(folder_.Path() + "/missing/*.csv"), std::string::npos);
}

TEST_F(ConsoleTest, ManyPathsAreCheckedInTheGivenOrder)
{
    const std::string a = folder_.Write("a.csv", good_);
    const std::string b = folder_.Write("b.csv", good_);
    const std::string missing = folder_.Path() + "/none.csv";
    EXPECT_EQ(Run({"-i", b, a}), kExitPassed);
    EXPECT_LT(Printed().find(b + ":"), Printed().find(a + ":"));
    // Files are checked side by side: a long first check still reports first.
    integritycsv::LogOptions longLog;
    longLog.rows = 200000;
    const std::string big = folder_.Write("big.csv", integritycsv::MakeIntegrityLog(longLog));
    const std::string bad = folder_.Write("bad.csv", Tampered());
    EXPECT_EQ(Run({"-i", big, bad, a, b, bad}), kExitTampered);
    const std::string passed = ":\nPassed. No data adulteration detected.\n";
    const std::string heading = "Detection report of file ";
    const std::string found = ":\nAdulteration detected at line 3.\n";
    EXPECT_EQ(Printed(), "Please wait...\n" + heading + big + passed + heading + bad + found + heading + a +
                             passed + heading + b + passed + heading + bad + found + kClosing);
    EXPECT_EQ(Run({"-i", a, missing}), kExitTrouble);
    EXPECT_NE(Printed().find(missing + ":\nDetect file " + missing + " does not exist.\n"),
              std::string::npos);
}

TEST_F(ConsoleTest, ReportFileIsUtf16WithoutByteOrderMarkAndOverwritten)
{
    const std::string good = folder_.Write("a.csv", good_);
    const std::string bad = folder_.Write("b.csv", Tampered());
    const std::string report = folder_.Write("report.txt", "old content that is longer than nothing");
    EXPECT_EQ(Run({"-i", folder_.Path() + "/*.csv", "-o", report}), kExitTampered);
    EXPECT_EQ(Printed(), "Please wait...\nReport has been saved to file " + report + ".\n" + kClosing);
    const std::string expected = "Detection report of file " + good +
                                 ":\r\nPassed. No data adulteration detected.\r\nDetection report of file " +
                                 bad + ":\r\nAdulteration detected at line 3.\r\n";
    EXPECT_EQ(ReadFileBytes(report), ToUtf16LeBytes(expected));
    EXPECT_EQ(ToUtf16LeBytes("D\xC3\xBC"), std::string("D\0\xFC\0", 4));
}

// "-o -": the report file's text in UTF-8 on standard output, the other
// texts on standard error.
TEST_F(ConsoleTest, ReportToStandardOutputIsTheReportFileInUtf8)
{
    folder_.Write("a.csv", good_);
    folder_.Write("b.csv", Tampered());
    const std::string report = folder_.Path() + "/report.txt";
    ASSERT_EQ(Run({"-i", folder_.Path() + "/*.csv", "-o", report}), kExitTampered);
    EXPECT_EQ(Run({"-i", folder_.Path() + "/*.csv", "-o", "-"}), kExitTampered);
    EXPECT_EQ(ToUtf16LeBytes(Printed()), ReadFileBytes(report));
    EXPECT_EQ(Complaint(), std::string("Please wait...\n") + kClosing);
}

// A small file system of its own (only where the test may mount one), filled
// up but for the files written before `Fill`.
class FullFileSystem
{
public:
    explicit FullFileSystem(const std::string& path) : path_(path)
    {
        std::filesystem::create_directory(path_);
        mounted_ = ::mount("tmpfs", path_.c_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~FullFileSystem()
    {
        if (mounted_) ::umount2(path_.c_str(), MNT_DETACH);
    }
    bool Mounted() const { return mounted_; }
    void Fill() const
    {
        std::ofstream filler(path_ + "/filler", std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), block.size()) && filler.flush()) {
        }
    }

private:
    std::string path_;
    bool mounted_ = false;
};

TEST_F(ConsoleTest, ReportOnAFullDiskLeavesThePreviousReport)
{
    FullFileSystem disk(folder_.Path() + "/disk");
    if (!disk.Mounted()) GTEST_SKIP() << "cannot mount a small file system here";
    const std::string log = folder_.Write("a.csv", good_);
    const std::string report = folder_.Path() + "/disk/report.txt";
    std::ofstream(report, std::ios::binary) << "previous report";
    disk.Fill();
    EXPECT_EQ(Run({"-i", log, "-o", report}), kExitTrouble);
    EXPECT_EQ(Printed(), "Please wait...\nReport file " + report + " could not be created.\n" + kClosing);
    EXPECT_NE(Complaint().find("No space left on device"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(report), "previous report");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path() + "/disk"), {}), 2);
}

TEST_F(ConsoleTest, InvalidOrUncreatableReportStopsBeforeChecking)
{
    const std::string log = folder_.Write("a.csv", good_);
    const std::string dotted = folder_.Path() + "/a.b.txt";
    EXPECT_EQ(Run({"-i", log, "-o", dotted}), kExitTrouble);
    EXPECT_EQ(Printed(), "Report file name " + dotted + " contains invalid characters.\n" + kClosing);
    const std::string unreachable = folder_.Path() + "/no/such/folder/r.txt";
    EXPECT_EQ(Run({"-i", log, "-o", unreachable}), kExitTrouble);
    EXPECT_EQ(Printed(), "Report file " + unreachable + " could not be created.\n" + kClosing);
}

TEST_F(ConsoleTest, ReportPathNamingAnInputIsRefusedBeforeWriting)
{
    const std::string log = folder_.Write("a.csv", good_);
    const std::string other = folder_.Write("b.csv", Tampered());
    std::filesystem::create_hard_link(log, folder_.Path() + "/link.txt");
    for (const std::string& report : {log, folder_.Path() + "/./a.csv", folder_.Path() + "/link.txt"}) {
        EXPECT_EQ(Run({"-i", log, "-o", report}), kExitTrouble) << report;
        EXPECT_EQ(Printed(), kClosing) << report;
        EXPECT_NE(Complaint().find(report), std::string::npos) << report;
    }
    EXPECT_EQ(Run({"-i", folder_.Path() + "/*.csv", "-o", other}), kExitTrouble);
    EXPECT_EQ(ReadFileBytes(log), good_);
    EXPECT_EQ(ReadFileBytes(other), Tampered());
}

// The program itself: Qt would abort the dialog without a display.
TEST(VettleProgram, NoArgumentsAndNoDisplayPointToTheConsoleForm)
{
    TempFolder folder;
    const std::string errors = folder.Path() + "/stderr";
    const std::string command = std::string("env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY= '") +
                                VETTLE_EXE + "' 2>'" + errors + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), kExitTrouble);
    EXPECT_NE(ReadFileBytes(errors).find("vettle ?"), std::string::npos);
}

// The options beside the console forms: help and version on standard output,
// an unknown option a usage error that checks nothing.
TEST(VettleProgram, OptionsHelpVersionAndUsageErrors)
{
    TempFolder folder;
    const auto run = [&](const std::string& arguments) {
        const std::string command = std::string("'") + VETTLE_EXE + "' " + arguments + " >'" + folder.Path() +
                                    "/out' 2>'" + folder.Path() + "/err'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    EXPECT_EQ(run("--help"), kExitPassed);
    EXPECT_TRUE(ReadFileBytes(folder.Path() + "/out").starts_with("Usage: vettle -i LOG.csv..."));
    EXPECT_EQ(run("--version"), kExitPassed);
    EXPECT_TRUE(ReadFileBytes(folder.Path() + "/out").starts_with("vettle "));
    EXPECT_EQ(run("--bogus -i x.csv"), kExitTrouble);
    EXPECT_EQ(ReadFileBytes(folder.Path() + "/out"), "");
    EXPECT_NE(ReadFileBytes(folder.Path() + "/err").find("unknown option --bogus"), std::string::npos);
}

}  // namespace
}  // namespace vettle::test
