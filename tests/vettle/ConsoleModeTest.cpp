// The argument grammar and the console flow: printed texts, report files and
// exit statuses.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>

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

// The program itself, run through the shell with its output in files.
class VettleProgram : public testing::Test
{
protected:
    // Runs the program with `arguments` (quoted as the shell needs them),
    // after `prefix` (an environment, a time limit); the exit status.
    int Run(const std::string& arguments, const std::string& prefix = "",
            const std::string& standardOutput = "")
    {
        const std::string command = prefix + " '" + VETTLE_EXE + "' " + arguments + " >'" +
                                    (standardOutput.empty() ? Out() : standardOutput) + "' 2>'" + Err() + "'";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string Out() const { return folder_.Path() + "/out"; }
    std::string Err() const { return folder_.Path() + "/err"; }
    std::string Printed() const { return ReadFileBytes(Out()); }
    std::string Complaint() const { return ReadFileBytes(Err()); }

    TempFolder folder_;
    const std::string good_ = integritycsv::MakeIntegrityLog({});
};

// Qt would abort the dialog without a display.
TEST_F(VettleProgram, NoArgumentsAndNoDisplayPointToTheConsoleForm)
{
    EXPECT_EQ(Run("", "env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY DISPLAY="), kExitTrouble);
    EXPECT_NE(Complaint().find("vettle ?"), std::string::npos);
}

// The options beside the console forms: help and version on standard output,
// an unknown option a usage error that checks nothing.
TEST_F(VettleProgram, OptionsHelpVersionAndUsageErrors)
{
    EXPECT_EQ(Run("--help"), kExitPassed);
    EXPECT_TRUE(Printed().starts_with("Usage: vettle -i LOG.csv..."));
    EXPECT_EQ(Run("--version"), kExitPassed);
    EXPECT_TRUE(Printed().starts_with("vettle "));
    EXPECT_EQ(Run("--bogus -i x.csv"), kExitTrouble);
    EXPECT_EQ(Printed(), "");
    EXPECT_NE(Complaint().find("unknown option --bogus"), std::string::npos);
}

// Texts and reports that standard output cannot take are lost: trouble, with
// the system's reason.
TEST_F(VettleProgram, FailedWriteToStandardOutputIsTrouble)
{
    const std::string log = folder_.Write("a.csv", good_);
    for (const std::string& arguments :
         {"-i '" + log + "' -o -", "-i '" + log + "'", std::string("--help")}) {
        EXPECT_EQ(Run(arguments, "", "/dev/full"), kExitTrouble) << arguments;
        EXPECT_NE(Complaint().find("standard output: No space left on device"), std::string::npos)
            << arguments << ": " << Complaint();
    }
}

// A log whose reads fail, wherever they do (byte order mark, header, rows,
// trailer), is trouble with the system's reason, never a verdict about its
// integrity data.
TEST_F(VettleProgram, ReadErrorOfTheLogIsTroubleWithTheReason)
{
    const std::string log = folder_.Write("faulty.csv", good_);
    const std::string shim =
        std::string("env LD_PRELOAD='") + FAULT_SHIM +
        "' ASAN_OPTIONS=\"$ASAN_OPTIONS:verify_asan_link_order=0\" FAULT_READ=faulty.csv:";
    for (size_t byte : {size_t{0}, size_t{20}, good_.size() / 2, good_.size() - 10}) {
        EXPECT_EQ(Run("-i '" + log + "'", shim + std::to_string(byte)), kExitTrouble) << byte;
        EXPECT_NE(Complaint().find("vettle: Detect file " + log + " could not be read: Input/output error."),
                  std::string::npos)
            << byte << ": " << Complaint();
        EXPECT_EQ(Printed().find("Cannot perform"), std::string::npos) << byte << ": " << Printed();
        EXPECT_EQ(Printed().find("Adulteration"), std::string::npos) << byte << ": " << Printed();
    }
}

// The JSON report of the program, read back by Python's strict parser: the
// entries in the order checked, their fields, the exit status; the flow's
// texts beside it on standard error, or on standard output when a report file
// takes the document.
struct JsonCase
{
    const char* name;
    std::string inputs;  // of good.csv, bad.csv and none.csv
    bool toFile;
    int status;
    std::string fields;  // file|passed|line|verdict|report per entry
};

class VettleJson : public VettleProgram, public testing::WithParamInterface<JsonCase>
{
protected:
    // The fields of each entry of the document at `path`; "refused" when the
    // document is no UTF-8 JSON of exactly the expected keys.
    std::string Fields(const std::string& path)
    {
        const std::string fields = folder_.Path() + "/fields";
        const std::string command =
            "/usr/bin/python3 -c '\n"
            "import json, sys\n"
            "document = json.loads(sys.stdin.buffer.read().decode(\"utf-8\"))\n"
            "assert list(document) == [\"files\"]\n"
            "for entry in document[\"files\"]:\n"
            "    assert list(entry) == [\"file\", \"passed\", \"line\", \"verdict\", \"report\"]\n"
            "    print(*entry.values(), sep=\"|\")\n"
            "' <'" +
            path + "' >'" + fields + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0) return "refused";
        return ReadFileBytes(fields);
    }
};

TEST_P(VettleJson, EntriesInOrderWithTheirFields)
{
    folder_.Write("good.csv", good_);
    auto lines = SplitLines(good_);
    lines[2][11] = '9';
    folder_.Write("bad.csv", JoinLines(lines));
    std::filesystem::create_directory(folder_.Path() + "/empty");
    const std::string output = GetParam().toFile ? " -o report.json" : "";
    EXPECT_EQ(Run("-i " + GetParam().inputs + output + " --json", "cd '" + folder_.Path() + "' &&"),
              GetParam().status)
        << Complaint();
    if (GetParam().toFile) {
        EXPECT_EQ(Fields(folder_.Path() + "/report.json"), GetParam().fields);
        EXPECT_EQ(Printed(),
                  "Please wait...\nReport has been saved to file report.json.\n"
                  "Press Enter key to continue...\n");
    } else {
        EXPECT_EQ(Fields(Out()), GetParam().fields);
        EXPECT_TRUE(Complaint().starts_with("Please wait...\n")) << Complaint();
    }
}

const std::string kGoodFields = "good.csv|True|None|passed|Passed. No data adulteration detected.\n";
const std::string kBadFields = "bad.csv|False|3|tampered|Adulteration detected at line 3.\n";

INSTANTIATE_TEST_SUITE_P(
    Reports, VettleJson,
    testing::Values(
        JsonCase{"Good", "good.csv", false, kExitPassed, kGoodFields},
        JsonCase{"Tampered", "bad.csv", false, kExitTampered, kBadFields},
        JsonCase{"Missing", "none.csv", false, kExitTrouble,
                 "none.csv|False|None|missing|Detect file none.csv does not exist.\n"},
        JsonCase{"TwoInOrder", "bad.csv good.csv", false, kExitTampered, kBadFields + kGoodFields},
        JsonCase{"EmptyFolder", "\"empty/*.csv\"", false, kExitPassed, ""},
        JsonCase{"ReportFile", "good.csv bad.csv", true, kExitTampered, kGoodFields + kBadFields}),
    [](const auto& info) { return std::string(info.param.name); });

// A named pipe as the report: refused at once without a reader, written for
// a reader, and a write that waits for a reader that takes nothing ends at
// SIGTERM.
TEST_F(VettleProgram, ReportToANamedPipe)
{
    const std::string log = folder_.Write("a.csv", good_);
    const std::string pipe = folder_.Path() + "/report.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string limit = "timeout --preserve-status -k 5 5";
    EXPECT_EQ(Run("-i '" + log + "' -o '" + pipe + "'", limit), kExitTrouble);
    EXPECT_NE(Complaint().find(pipe + ": a named pipe that no program reads"), std::string::npos)
        << Complaint();

    const int reader = ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(reader, 0);
    EXPECT_EQ(Run("-i '" + log + "' -o '" + pipe + "'", limit), kExitPassed) << Complaint();
    std::string received(4096, '\0');
    received.resize(
        static_cast<size_t>(std::max<ssize_t>(0, ::read(reader, received.data(), received.size()))));
    EXPECT_EQ(received, ToUtf16LeBytes("Detection report of file " + log +
                                       ":\r\nPassed. No data adulteration detected.\r\n"));

    // Far more report than the pipe holds.
    std::string many;
    for (int i = 0; i < 2000; ++i) many += " '" + log + "'";
    EXPECT_EQ(Run("-i" + many + " -o '" + pipe + "'", "timeout --preserve-status -k 5 2"), 128 + SIGTERM);
    // The same report on standard output, into the pipe nobody drains.
    EXPECT_EQ(Run("-i" + many, "timeout --preserve-status -k 5 2", pipe), 128 + SIGTERM);
    ::close(reader);
}

}  // namespace
}  // namespace vettle::test
