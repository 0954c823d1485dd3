// The logora program run as a real process in a temporary folder with a
// temporary HOME: the example command lines, exit statuses, outputs and the
// error log beside the program.
#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "AlarmLogSample.h"
#include "ObfSample.h"
#include "SampleSet.h"
#include "VellSamples.h"
#include "common/Version.h"
#include "logora/engine/cmdline/CommandLineHelp.h"
#include "logora/engine/cmdline/RunBatch.h"
#include "tests/logora/zarn/TestFiles.h"
#ifdef LOGORA_WITH_DATABASE
#include "tests/logora/database/DatabaseReading.h"
#endif
#include "tools/zarn-gen/ZarnGen.h"

namespace logora {
namespace {

namespace fs = std::filesystem;
using testing::ReadBytes;
using testing::ReadText;
using testing::WriteBytes;
using zarngen::DbfFieldSpec;

std::string Quoted(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

class Logora : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // A copy of the program, so its error log is written here; the
        // viewer it runs for windows beside it.
        fs::create_directories(Bin());
        fs::copy_file(LOGORA_EXE, Program());
#ifdef LOGORA_WITH_VIEWER
        fs::copy_file(LOGORA_VIEWER_EXE, Bin() + "/logora-viewer");
#endif
        fs::create_directories(Home());
        fs::create_directories(Work());
    }

    std::string Bin() const { return root_.File("bin"); }
    std::string Program() const { return Bin() + "/logora"; }
    std::string ErrorLog() const { return Bin() + "/logora-Err.log"; }
    std::string Home() const { return root_.File("home"); }
    std::string Work() const { return root_.File("work"); }
    std::string InWork(const std::string& name) const { return Work() + "/" + name; }

    // Runs the program in the work folder without a display (or with Qt's
    // offscreen one); returns its exit status.
    int Run(const std::vector<std::string>& args, bool offscreenDisplay = false)
    {
        std::string command =
            "cd " + Quoted(Work()) + " && " + shellPrefix_ +
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME HOME=" + Quoted(Home()) +
            (offscreenDisplay ? " QT_QPA_PLATFORM=offscreen" : "") + " TMPDIR=" + Quoted(Work()) + " " +
            Quoted(Program());
        for (const auto& arg : args) command += " " + Quoted(arg);
        command += " >" + Quoted(standardOutput_.empty() ? root_.File("stdout") : standardOutput_) + " 2>" +
                   Quoted(root_.File("stderr"));
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Starts the program in the work folder as Run does, without waiting.
    pid_t Start(const std::vector<std::string>& args)
    {
        std::string command = "cd " + Quoted(Work()) + " && HOME=" + Quoted(Home()) +
                              " TMPDIR=" + Quoted(Work()) + " exec " + Quoted(Program());
        for (const auto& arg : args) command += " " + Quoted(arg);
        command += " 2>" + Quoted(root_.File("stderr"));
        const char* shellArgs[] = {"sh", "-c", command.c_str(), nullptr};
        pid_t child = 0;
        const int started =
            posix_spawn(&child, "/bin/sh", nullptr, nullptr, const_cast<char**>(shellArgs), environ);
        return started == 0 ? child : -1;
    }
    std::string Stdout() const { return ReadText(root_.File("stdout")); }
    std::string Stderr() const { return ReadText(root_.File("stderr")); }

    void WriteSample(uint64_t records = 6, uint32_t tags = 3)
    {
        const zarngen::ZarnSampleSpec spec{records, tags, false};
        WriteBytes(InWork("Plant(1).DAT"), zarngen::ZarnDataFileBytes(spec));
        WriteBytes(InWork("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(tags)));
    }

    // short.log: a Vell datalog whose header announces 10 records and that
    // holds 3, which its conversion finds at the end.
    bool WriteShortDatalog() const
    {
        vellgen::DatalogHeader header;
        header.count = 10;
        header.newest = 2;
        const vellgen::LogRecord record = vellgen::Int32Record(1774745990, 0, 1, 7);
        return vellgen::WriteFile(InWork("short.log"),
                                  vellgen::BuildDatalog(header, {record, record, record}));
    }

    // The program's settings file in the temporary HOME.
    void WriteSettings(const std::string& text) const
    {
        const std::string folder = Home() + "/.config/Kestra Applications";
        fs::create_directories(folder);
        WriteBytes(folder + "/Quorvi Zerovuvuru File Viewer.ini",
                   std::vector<uint8_t>(text.begin(), text.end()));
    }

    // Loads the disk-fault shim into the program; `settings` chooses the
    // file and the fault ("FAULT_READ=setup.mal").
    void InjectFaults(const std::string& settings)
    {
        shellPrefix_ = "LD_PRELOAD=" + Quoted(FAULT_SHIM) +
                       " ASAN_OPTIONS=\"${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0\" " +
                       settings + " ";
    }

    // Files the batch run left in the work folder besides the inputs.
    std::vector<std::string> Leftovers() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Work()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    testing::TempFolder root_;
    // Shell commands run before the program, such as limits it inherits.
    std::string shellPrefix_;
    // Where Run sends standard output instead of a file of its own.
    std::string standardOutput_;
};

TEST_F(Logora, HelpPrintsTheSeventeenLines)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{"/?"}, {"-?", "a.dat", "b.csv"}}) {
        EXPECT_EQ(Run(args), kExitWritten);
        std::string expected;
        for (auto line : kCommandLineHelpLines) expected += std::string(line) + "\n";
        EXPECT_EQ(Stdout(), expected);
    }
    EXPECT_FALSE(fs::exists(InWork("b.csv")));
    EXPECT_FALSE(fs::exists(ErrorLog()));
}

// Other programs name their temporary files as ours may look ("TMP" is what
// GetTempFileNameW gives everyone): a start removes only tables of ours
// whose run ended.
TEST_F(Logora, StartRemovesOnlyItsOwnAbandonedTables)
{
    const std::string others = InWork("TMPab12cd.tmp");
    const std::string abandoned = InWork("TMPab12cd.logora.tmp");
    WriteBytes(others, {'x'});
    WriteBytes(abandoned, {});
    EXPECT_EQ(Run({"/?"}), kExitWritten);
    EXPECT_TRUE(fs::exists(others));
    EXPECT_FALSE(fs::exists(abandoned));
}

// The options of this platform beside the switches: help and version need
// no display; an unknown option or one without its value converts nothing.
TEST_F(Logora, OptionsHelpVersionAndUsageErrors)
{
    WriteSample();
    for (const char* help : {"--help", "-h"}) {
        EXPECT_EQ(Run({help, "Plant(1).DAT", "out.csv"}), kExitWritten) << help;
        EXPECT_TRUE(Stdout().starts_with("Usage: logora [switches]")) << Stdout();
        EXPECT_NE(Stdout().find("--out-dir DIR"), std::string::npos);
    }
    EXPECT_EQ(Run({"--version"}), kExitWritten);
    EXPECT_EQ(Stdout(), "logora " + std::string(common::kProjectVersion) + "\n");
    const std::vector<std::pair<std::vector<std::string>, std::string>> usageErrors = {
        {{"--bogus", "/sd", "Plant(1).DAT", "out.csv"}, "unknown option --bogus"},
        {{"/sd", "Plant(1).DAT", "out.csv", "--codepage"}, "option --codepage needs a value"},
        {{"--out-dir", "o", "--format", "xls", "Plant(1).DAT"}, "option --format: 'xls'"},
        {{"--out-dir", "o", "--jobs", "0", "Plant(1).DAT"}, "option --jobs: '0'"},
        {{"--jobs=2", "Plant(1).DAT", "out.csv"}, "option --jobs needs --out-dir"},
        {{"--codepage", "4711", "Plant(1).DAT", "out.csv"}, "option --codepage: '4711' names no code page"},
        {{"--out-dir", "o", "Plant(1).DAT", "Plant(1).dat"}, "would both be written to o/Plant(1).csv"},
        {{"--out-dir", "o", "--into", "p.db", "Plant(1).DAT"},
         "options --out-dir and --into exclude each other"},
        {{"--into", "p.csv", "Plant(1).DAT"}, "--into p.csv names no SQLite database"},
        {{"--into", "p.db"}, "--into needs at least one input"},
    };
    for (const auto& [args, message] : usageErrors) {
        EXPECT_EQ(Run(args), kExitUsage) << message;
        EXPECT_NE(Stderr().find(message), std::string::npos) << Stderr();
    }
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"Plant(1).DAT", "Plant(Tagname).DAT"}));
    EXPECT_FALSE(fs::exists(ErrorLog()));
}

// Texts that standard output cannot take are lost: status 2 with the
// system's reason.
TEST_F(Logora, FailedWriteToStandardOutputIsAnError)
{
    standardOutput_ = "/dev/full";
    for (const char* option : {"--help", "--version", "/?"}) {
        EXPECT_EQ(Run({option}), kExitOutputFailed) << option;
        EXPECT_NE(Stderr().find("logora: standard output: No space left on device"), std::string::npos)
            << option << ": " << Stderr();
    }
}

// --codepage overrides the CodePage setting for one run.
TEST_F(Logora, CodePageOptionOverridesTheSetting)
{
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("names.log"), 4, 0, 1, 1774745990));
    ASSERT_TRUE(vellgen::WriteFile(InWork("names.tag"), vellgen::BuildTagFile(vellgen::SampleTagNames(1))));
    WriteSettings("[Options]\nCodePage=65001\n");
    ASSERT_EQ(Run({"/md", "names.log", "utf8.csv"}), kExitWritten) << Stderr();
    EXPECT_NE(ReadText(InWork("utf8.csv")).find("Temperatur Kessel \xC3\x84,"), std::string::npos);
    ASSERT_EQ(Run({"--codepage", "1252", "/md", "names.log", "cp1252.csv"}), kExitWritten) << Stderr();
    EXPECT_NE(ReadText(InWork("cp1252.csv")).find("Temperatur Kessel \xC4,"), std::string::npos);
}

// Several inputs into one folder give the bytes of converting each alone;
// a failing input is named and spoils nothing.
TEST_F(Logora, SeveralInputsPerRunMatchSingleRuns)
{
    WriteSample(40, 3);
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("sample.log"), 300, 120, 4, 1774745990));
    ASSERT_TRUE(alarmgen::WriteBytesToFile(InWork("history.alm"),
                                           alarmgen::BuildAlarmLog(6, alarmgen::MachineHistory(30))));
    ASSERT_TRUE(alarmgen::WriteSetupFile(InWork("history.mal"), alarmgen::MachineSetup(6)));
    WriteBytes(InWork("broken.obf"), {1, 2, 3});
    const std::vector<std::string> switches = {"/ma", "/6xx", "/tz2"};
    // Input, output name, the file parameters of its single run.
    const std::vector<std::tuple<std::string, std::string, std::vector<std::string>>> converted = {
        {"Plant(1).DAT", "Plant(1)", {"Plant(1).DAT"}},
        {"sample.log", "sample", {"sample.log"}},
        {"history.alm", "history", {"history.alm", "history.mal"}},
    };
    for (const std::string format : {"csv", "dbf"}) {
        std::vector<std::string> args = switches;
        args.insert(args.end(),
                    {"--out-dir", "out/" + format, "--jobs", "2", "--format", format, "broken.obf"});
        for (const auto& [input, name, files] : converted) args.push_back(input);
        EXPECT_EQ(Run(args), 1) << format;
        EXPECT_NE(Stderr().find("logora: broken.obf: failed with exit status 1; out/" + format + "/broken." +
                                format + " was not written"),
                  std::string::npos)
            << Stderr();
        EXPECT_TRUE(Stderr().ends_with("3 converted, 1 failed\n")) << Stderr();
        EXPECT_FALSE(fs::exists(InWork("out/" + format + "/broken." + format)));
        for (const auto& [input, name, files] : converted) {
            std::vector<std::string> single = switches;
            single.insert(single.end(), files.begin(), files.end());
            single.push_back("single." + format);
            ASSERT_EQ(Run(single), kExitWritten) << Stderr();
            EXPECT_EQ(ReadBytes(InWork("out/" + format + "/" + name + "." + format)),
                      ReadBytes(InWork("single." + format)))
                << input << " to " << format;
        }
    }
}

#ifdef LOGORA_WITH_DATABASE
// An input that fails after its rows went in (the datalog's damage shows at
// its end) leaves its table in the database as an earlier run wrote it.
TEST_F(Logora, IntoDatabaseKeepsWhatAFailedInputHadWritten)
{
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("line.log"), 30, 0, 3, 1774745990));
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("short.log"), 20, 0, 1, 1774745990));
    ASSERT_TRUE(vellgen::WriteFile(InWork("short.tag"), vellgen::BuildTagFile({u"A"})));
    ASSERT_EQ(Run({"/md", "--into", "plant.sqlite", "short.log"}), 0) << Stderr();
    const std::string database = InWork("plant.sqlite");
    const std::vector<std::string> before = testing::QueryLines(database, "SELECT * FROM short");
    const std::vector<std::string> sources = testing::QueryLines(database, "SELECT * FROM sources");
    ASSERT_EQ(before.size(), 20u);

    ASSERT_TRUE(WriteShortDatalog());
    EXPECT_EQ(Run({"/md", "--into", "plant.sqlite", "line.log", "short.log"}), 1);
    EXPECT_NE(Stderr().find("short.log: corrupt datalog"), std::string::npos) << Stderr();
    EXPECT_NE(Stderr().find("logora: short.log: failed with exit status 1; nothing of it was added to "
                            "plant.sqlite\n1 converted, 1 failed\n"),
              std::string::npos)
        << Stderr();
    EXPECT_EQ(testing::QueryLines(database, "SELECT * FROM short"), before);
    EXPECT_EQ(testing::QueryLines(database, "SELECT count(*) FROM line"), std::vector<std::string>{"30"});
    EXPECT_EQ(testing::QueryLines(database, "SELECT * FROM sources WHERE table_name = 'short'"), sources);
    EXPECT_EQ(testing::QueryLines(database, "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY 1"),
              (std::vector<std::string>{"line", "short", "sources"}));
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"line.log", "plant.sqlite", "short.log", "short.tag"}));
}
#endif

// A file where the output folder should be is a usage error, before any
// input's run could fail on it.
TEST_F(Logora, OutputFolderThatIsAFileIsAUsageError)
{
    WriteSample();
    WriteBytes(InWork("res"), {'x'});
    EXPECT_EQ(Run({"--out-dir", "res", "Plant(1).DAT"}), kExitUsage);
    EXPECT_NE(Stderr().find("the output folder res cannot be created"), std::string::npos) << Stderr();
    EXPECT_EQ(ReadBytes(InWork("res")), std::vector<uint8_t>{'x'});
}

// Each input's run gets its output below a folder named like a switch as a
// file parameter.
TEST_F(Logora, PathsNamedLikeSwitches)
{
    WriteSample();
    EXPECT_EQ(Run({"--out-dir", "-dash", "Plant(1).DAT"}), kExitWritten) << Stderr();
    EXPECT_TRUE(fs::is_regular_file(InWork("-dash/Plant(1).csv")));
    // After "--" every argument names a file, in a run of one input and of several.
    fs::copy_file(InWork("Plant(1).DAT"), InWork("-in.DAT"));
    EXPECT_EQ(Run({"/sd", "--", "-in.DAT", "-out.csv"}), kExitWritten) << Stderr();
    EXPECT_TRUE(fs::is_regular_file(InWork("-out.csv")));
    EXPECT_EQ(Run({"--out-dir", "res", "--", "-in.DAT"}), kExitWritten) << Stderr();
    EXPECT_EQ(ReadBytes(InWork("res/-in.csv")), ReadBytes(InWork("-out.csv")));
}

// Ctrl+C or SIGTERM while a big datalog converts: no output, no partial file
// and no temporary table remain, and the status tells the signal.
TEST_F(Logora, InterruptLeavesNothingBehind)
{
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("big.log"), 3000000, 0, 6, 1774745990));
    struct Case
    {
        std::vector<std::string> args;
        int signal;
        std::string outputFolder;  // where the output is written
    };
    const std::vector<Case> cases = {
        {{"/md", "big.log", "big.csv"}, SIGINT, "."},
        {{"/md", "big.log", "big.dbf"}, SIGTERM, "."},
        // The run over several inputs passes the signal on to each input's run.
        {{"/md", "--out-dir", "out", "big.log", "--format", "dbf"}, SIGTERM, "out"},
    };
    // The output being written: the only file in its folder but the input.
    const auto outputBegun = [&](const Case& c) {
        std::error_code error;
        size_t files = 0;
        for (const auto& entry : fs::directory_iterator(InWork(c.outputFolder), error))
            files += entry.path().filename() != "big.log";
        return files > 0;
    };
    for (const Case& c : cases) {
        fs::remove_all(InWork("out"));
        const pid_t child = Start(c.args);
        ASSERT_GT(child, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!outputBegun(c) && std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        ASSERT_EQ(kill(child, c.signal), 0);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status)) << c.args.back();
        EXPECT_EQ(WEXITSTATUS(status), 128 + c.signal) << Stderr();
        EXPECT_TRUE(Stderr().ends_with("Interrupted\n")) << Stderr();
        fs::remove_all(InWork("out"));
        EXPECT_EQ(Leftovers(), std::vector<std::string>{"big.log"});
    }
}

TEST_F(Logora, StartWithoutTwoFilesNeedsTheViewer)
{
    for (const std::vector<std::string>& args : {std::vector<std::string>{}, {"/sd", "Plant(1).DAT"}}) {
        EXPECT_EQ(Run(args), kExitViewerMissing);
        EXPECT_NE(Stderr().find("viewer"), std::string::npos);
    }
}

TEST_F(Logora, SingleFileThatCannotBeOpenedEndsTheViewer)
{
#ifdef LOGORA_WITH_VIEWER
    // The viewer runs in place of logora and writes logora's error log.
    EXPECT_EQ(Run({"missing.dat"}, true), 1);
    EXPECT_NE(ReadText(ErrorLog()).find("missing.dat"), std::string::npos) << Stderr();
#else
    GTEST_SKIP() << "built without the viewer";
#endif
}

TEST_F(Logora, ZarnDatalogToCsvListForm)
{
    WriteSample();
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "process.csv"}), kExitWritten) << Stderr();
    const std::string csv = ReadText(InWork("process.csv"));
    EXPECT_TRUE(csv.starts_with(";Date,Time,Millitm,Tagname,Value,Internal,Status\r\n")) << csv;
    EXPECT_NE(csv.find(",Tank3,      20.00000000,       -14, 0,\r\n"), std::string::npos) << csv;
    EXPECT_FALSE(fs::exists(ErrorLog()));
    // Only the inputs and the output remain: the temporary table is gone.
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"Plant(1).DAT", "Plant(Tagname).DAT", "process.csv"}));
}

TEST_F(Logora, ZarnDatalogToCsvTableFormHasAColumnPerTag)
{
    WriteSample(6, 3);
    ASSERT_EQ(Run({"/sd", "/table", "Plant(1).DAT", "table.csv"}), kExitWritten) << Stderr();
    const std::string csv = ReadText(InWork("table.csv"));
    EXPECT_EQ(csv.substr(0, csv.find('\n') + 1), ";Date,Time,Millitm,Pump1,Valve2,Tank3,\r\n");
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 2);  // two time stamps, the last line without its end
}

TEST_F(Logora, TableFormOfASavedDatalogTable)
{
    WriteSample(6, 3);
    ASSERT_EQ(Run({"/sd", "/table", "Plant(1).DAT", "direct.csv"}), kExitWritten) << Stderr();
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "data.dbf"}), kExitWritten) << Stderr();
    ASSERT_EQ(Run({"/dbf", "/table", "data.dbf", "saved.csv"}), kExitWritten) << Stderr();
    EXPECT_EQ(ReadText(InWork("saved.csv")), ReadText(InWork("direct.csv")));

    const std::vector<DbfFieldSpec> plain = {{"Name", 'C', 10, 0}, {"Count", 'N', 5, 0}};
    WriteBytes(InWork("plain.dbf"), zarngen::DbfHeaderBytes(plain, 0));
    EXPECT_EQ(Run({"/dbf", "/table", "plain.dbf", "plain.csv"}), kExitNothingWritten);
    EXPECT_NE(Stderr().find("plain.dbf: the table form needs a datalog table"), std::string::npos)
        << Stderr();
    EXPECT_FALSE(fs::exists(InWork("plain.csv")));
}

TEST_F(Logora, OutputWithoutExtensionGetsCsv)
{
    WriteSample();
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "process"}), kExitWritten) << Stderr();
    EXPECT_TRUE(fs::exists(InWork("process.csv")));
    EXPECT_FALSE(fs::exists(InWork("process")));
}

// A lone dash is standard output, in either form and from the loaded table
// too; nothing is left behind, and a failed write is no success.
TEST_F(Logora, DashWritesTheCsvToStandardOutput)
{
    WriteSample(6, 3);
    for (const std::vector<std::string>& form : {std::vector<std::string>{"/sd"}, {"/sd", "/table"}}) {
        std::vector<std::string> toFile = form, toOutput = form;
        toFile.insert(toFile.end(), {"Plant(1).DAT", "file.csv"});
        toOutput.insert(toOutput.end(), {"Plant(1).DAT", "-"});
        ASSERT_EQ(Run(toFile), kExitWritten) << Stderr();
        ASSERT_EQ(Run(toOutput), kExitWritten) << Stderr();
        EXPECT_EQ(Stdout(), ReadText(InWork("file.csv")));
    }
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "data.dbf"}), kExitWritten) << Stderr();
    ASSERT_EQ(Run({"/dbf", "data.dbf", "-"}), kExitWritten) << Stderr();
    EXPECT_EQ(Stdout().substr(0, 9), ";Date,Tim");
    EXPECT_FALSE(fs::exists(InWork("-")));
    EXPECT_FALSE(fs::exists(InWork("-.csv")));

    standardOutput_ = "/dev/full";
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "-"}), kExitOutputFailed);
    EXPECT_NE(Stderr().find("standard output"), std::string::npos) << Stderr();
}

TEST_F(Logora, AbsolutePathsWork)
{
    WriteSample();
    ASSERT_EQ(Run({"/sd", InWork("Plant(1).DAT"), InWork("abs.dbf")}), kExitWritten) << Stderr();
    EXPECT_TRUE(fs::exists(InWork("abs.dbf")));
}

TEST_F(Logora, DbfToDbfWritesPlainTable)
{
    WriteSample();
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "data.dbf"}), kExitWritten) << Stderr();
    ASSERT_EQ(Run({"/dbf", "data.dbf", "out.dbf"}), kExitWritten) << Stderr();
    const auto bytes = ReadBytes(InWork("out.dbf"));
    ASSERT_GT(bytes.size(), 32u * 8);
    EXPECT_EQ(bytes[32 * 5 + 11], 'F');  // Value, now text
    EXPECT_EQ(bytes[32 * 5 + 16], 17);
    EXPECT_EQ(bytes[32 * 6 + 11], 'N');  // Internal
    EXPECT_EQ(testing::U32At(bytes, 4), 6u);
}

// Common dBASE readers take a C field's decimal count as the high byte of its
// length; the saved "Timestmp" text field must read as 19 characters.
TEST_F(Logora, SavedTimestampReadsInDbfread)
{
    if (std::system("/usr/bin/python3 -c 'import dbfread' >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "no dbfread";
    const zarngen::ZarnSampleSpec spec{4, 2, true};
    WriteBytes(InWork("Plant(1).DAT"), zarngen::ZarnDataFileBytes(spec));
    WriteBytes(InWork("Plant(Tagname).DAT"), zarngen::ZarnTagFileBytes(zarngen::ZarnTagNames(2)));
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "stamp.dbf"}), kExitWritten) << Stderr();
    const std::string script =
        "from dbfread import DBF\n"
        "t = DBF('" +
        InWork("stamp.dbf") +
        "')\n"
        "f = [f for f in t.fields if f.name == 'Timestmp'][0]\n"
        "print(f.type, f.length, f.decimal_count, len(list(t)), list(t)[3]['Timestmp'][-8:])\n";
    WriteBytes(InWork("read.py"), std::vector<uint8_t>(script.begin(), script.end()));
    ASSERT_EQ(
        std::system(
            ("/usr/bin/python3 " + Quoted(InWork("read.py")) + " >" + Quoted(InWork("read.txt"))).c_str()),
        0);
    EXPECT_EQ(ReadText(InWork("read.txt")), "C 19 0 4 08:00:00\n");
}

TEST_F(Logora, OtherOutputExtensionWritesNothing)
{
    WriteSample();
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "out.txt"}), kExitNothingWritten);
    EXPECT_FALSE(fs::exists(InWork("out.txt")));
    EXPECT_NE(ReadText(ErrorLog()).find("Nothing was written to out.txt"), std::string::npos);
}

TEST_F(Logora, ErrorLogCollectsFailingRunsInOrder)
{
    WriteSample(5, 2);
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "out.txt"}), kExitNothingWritten);
    WriteBytes(InWork("broken.dbf"), {0x03, 1, 2});
    EXPECT_EQ(Run({"/dbf", "broken.dbf", "out.csv"}), kExitInputFailed);
    EXPECT_EQ(
        ReadText(ErrorLog()),
        "Nothing was written to out.txt: only the extensions .csv, .dbf, .xlsx, .sqlite, .sqlite3 and .db, "
        "or none, name an output.\r\n"
        "The table broken.dbf can not be opened!\r\n"
        "broken.dbf: 3 bytes, fewer than the 32 of a table header\r\n");
}

TEST_F(Logora, StoppedMergeKeepsTheOldOutput)
{
    WriteSample(5, 2);
    auto bytes = ReadBytes(InWork("Plant(1).DAT"));
    bytes.resize(bytes.size() - 39);
    WriteBytes(InWork("Plant(1).DAT"), bytes);
    WriteBytes(InWork("out.csv"), {'o', 'l', 'd'});
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "out.csv"}), kExitInputFailed);
    EXPECT_EQ(ReadText(InWork("out.csv")), "old");
    EXPECT_EQ(ReadText(ErrorLog()),
              "Convert log file error\r\nPlant(1).DAT: record 5 lies beyond the end of the file\r\n");
    EXPECT_NE(Stderr().find("record 5 lies beyond the end of the file"), std::string::npos) << Stderr();
}

// The save ends by cutting the table to its records; when that fails the
// old output stays and the reason is given.
TEST_F(Logora, FailedCutOfADbfOutputKeepsTheOldOne)
{
    WriteSample();
    fs::create_directories(InWork("target"));
    WriteBytes(InWork("target/data.dbf"), {'o', 'l', 'd'});
    InjectFaults("FAULT_TRUNCATE=/target/");
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "target/data.dbf"}), kExitOutputFailed);
    EXPECT_EQ(ReadText(InWork("target/data.dbf")), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(InWork("target")), fs::directory_iterator()), 1);
    EXPECT_NE(Stderr().find("Input/output error\ntarget/.partial-"), std::string::npos) << Stderr();
    EXPECT_NE(Stderr().find(": cannot be cut to "), std::string::npos) << Stderr();
}

TEST_F(Logora, UnwritableOutputFails)
{
    WriteSample();
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "missing/out.csv"}), kExitOutputFailed);
    EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "missing/out.dbf"}), kExitOutputFailed);
    EXPECT_FALSE(fs::exists(InWork("missing")));
}

// Example command lines whose inputs do not exist here: each fails without
// writing anything.
TEST_F(Logora, ExampleCommandLinesWithMissingInputs)
{
    const std::vector<std::vector<std::string>> examples = {
        {"/md", "process.log", "process.csv", "/tz8"},
        {"/md", "process.log", "process"},
        {"/md", "process.log", "out.txt"},
        {"/dbf", "data.dbf", "out.dbf"},
        {"/4xx", "/ma", "a.alm", "b.mal", "out.csv"},
        {"/ma", "a.alm", "out.csv"},
        {"/ma", "/4xx", "history.alm", "MachineAlarms.mal", "CSV99"},
    };
    for (const auto& args : examples) {
        EXPECT_EQ(Run(args), kExitInputFailed) << args[1];
        EXPECT_TRUE(Leftovers().empty()) << args[1];
    }
}

TEST_F(Logora, AlarmLogWithoutSetupFileIsLogged)
{
    EXPECT_EQ(Run({"/ma", "a.alm", "out.csv"}), kExitInputFailed);
    const std::string firstRun = ReadText(ErrorLog());
    EXPECT_TRUE(firstRun.starts_with("The Vell alarm setup file is not selected!\r\n")) << firstRun;
    EXPECT_EQ(Run({"/4xx", "/ma", "a.alm", "b.mal", "out.csv"}), kExitInputFailed);
    const std::string log = ReadText(ErrorLog());
    EXPECT_TRUE(log.starts_with(firstRun)) << log;
    EXPECT_EQ(log.find("not selected", firstRun.size()), std::string::npos) << log;
    EXPECT_FALSE(fs::exists(InWork("out.csv")));
}

// A setup file that is there but cannot be read fails the conversion,
// unlike one that does not match the log, which only drops its columns.
TEST_F(Logora, UnreadableSetupFileFailsTheConversion)
{
    ASSERT_TRUE(alarmgen::WriteBytesToFile(InWork("history.alm"),
                                           alarmgen::BuildAlarmLog(6, alarmgen::MachineHistory(30))));
    ASSERT_TRUE(alarmgen::WriteSetupFile(InWork("setup.mal"), alarmgen::MachineSetup(6)));
    InjectFaults("FAULT_READ=setup.mal");
    EXPECT_EQ(Run({"/ma", "/6xx", "history.alm", "setup.mal", "o.csv"}), kExitInputFailed);
    const std::string reason = "setup.mal: cannot be read at byte 0: Input/output error";
    EXPECT_NE(Stderr().find(reason), std::string::npos) << Stderr();
    EXPECT_NE(ReadText(ErrorLog()).find(reason), std::string::npos);
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"history.alm", "setup.mal"}));
}

// A device or a named pipe would be read without end or waited on for ever:
// each is refused, naming what it is, before any reader opens it.
TEST_F(Logora, InputsThatAreNoRegularFilesAreRefused)
{
    ASSERT_EQ(::symlink("/dev/zero", InWork("zero.rpp").c_str()), 0);
    ASSERT_EQ(::mkfifo(InWork("pipe.rpp").c_str(), 0600), 0);
    ASSERT_EQ(::mkfifo(InWork("pipe.mal").c_str(), 0600), 0);
    ASSERT_TRUE(alarmgen::WriteBytesToFile(InWork("a.alm"), alarmgen::BuildAlarmLog(2, {{}})));
    // Before the check, the device filled memory and the pipes hung. The
    // address sanitizer reserves more address space than any such cap.
#ifdef __SANITIZE_ADDRESS__
    shellPrefix_ = "timeout 20 ";
#else
    shellPrefix_ = "ulimit -v 4000000 && timeout 20 ";
#endif
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"zero.rpp", "o.csv"}, "zero.rpp: is a character device, not a regular file"},
        {{"pipe.rpp", "o.csv"}, "pipe.rpp: is a named pipe (FIFO), not a regular file"},
        {{"/ma", "/3xx", "a.alm", "pipe.mal", "o.csv"},
         "pipe.mal: is a named pipe (FIFO), not a regular file"},
    };
    for (const auto& [args, detail] : cases) {
        EXPECT_EQ(Run(args), kExitInputFailed) << detail;
        EXPECT_NE(Stderr().find(detail), std::string::npos) << Stderr();
    }
    EXPECT_FALSE(fs::exists(InWork("o.csv")));
}

TEST_F(Logora, VellDatalogInBothFormsWithTimeOffset)
{
    // 40 records of 6 tags, the ring wrapped at slot 13, from 2026-03-29 00:59:50 UTC.
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("sample.log"), 40, 13, 6, 1774745990));
    ASSERT_TRUE(vellgen::WriteFile(InWork("sample.tag"),
                                   vellgen::BuildTagFile({u"A", u"B", u"C", u"D", u"E", u"F"})));
    ASSERT_EQ(Run({"/md", "sample.log", "list.csv", "/tz8"}), kExitWritten) << Stderr();
    const std::string list = ReadText(InWork("list.csv"));
    EXPECT_TRUE(list.starts_with(";Date,Time,Millitm,Marker,Tag,Status,Value\r\n03/29/2026,08:59:50,"))
        << list;
    EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), 41);

    ASSERT_EQ(Run({"/md", "/table", "sample.log", "table.csv", "/tz8"}), kExitWritten) << Stderr();
    const std::string table = ReadText(InWork("table.csv"));
    EXPECT_TRUE(table.starts_with(";Date,Time,Millitm,A,B,C,D,E,F,\r\n03/29/2026,08:59:50,")) << table;
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"list.csv", "sample.log", "sample.tag", "table.csv"}));
}

TEST_F(Logora, CorruptVellDatalogKeepsTheOldOutput)
{
    ASSERT_TRUE(WriteShortDatalog());
    ASSERT_TRUE(vellgen::WriteFile(InWork("short.tag"), vellgen::BuildTagFile({u"A"})));
    WriteBytes(InWork("out.csv"), {'o', 'l', 'd'});
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"/md", "short.log", "out.csv"},
          std::vector<std::string>{"/md", "/table", "short.log", "out.csv"}}) {
        EXPECT_EQ(Run(args), kExitInputFailed);
        EXPECT_EQ(ReadText(InWork("out.csv")), "old");
        EXPECT_NE(Stderr().find("short.log: corrupt datalog"), std::string::npos) << Stderr();
        EXPECT_NE(Stderr().find("the conversion stopped early; nothing was written to out.csv"),
                  std::string::npos);
    }
    const std::string reason =
        "Convert log file error\r\nshort.log: corrupt datalog: the header announces 10 records but the file "
        "holds "
        "only 3\r\n";
    EXPECT_EQ(ReadText(ErrorLog()), reason + reason);
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"out.csv", "short.log", "short.tag"}));
}

TEST_F(Logora, FloatFormatComesFromTheSettings)
{
    WriteSample();
    const std::string ini = "[Options]\nFloatLength=8\nDecimalCount=2\n";
    WriteSettings(ini);
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "process.csv"}), kExitWritten) << Stderr();
    EXPECT_NE(ReadText(InWork("process.csv")).find(",Tank3,   20.00,"), std::string::npos);
}

TEST_F(Logora, EmptyOrUnreachableDisplayEndsWithStatusFour)
{
    for (const char* display : {"", ":987"}) {
        const std::string command = "cd " + Quoted(Work()) +
                                    " && env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY HOME=" + Quoted(Home()) +
                                    " DISPLAY=" + Quoted(display) + " " + Quoted(Program()) + " x.log 2>" +
                                    Quoted(root_.File("stderr"));
        const int status = std::system(command.c_str());
        ASSERT_TRUE(WIFEXITED(status)) << display;
        EXPECT_EQ(WEXITSTATUS(status), kExitViewerMissing) << display;
#ifdef LOGORA_WITH_VIEWER
        EXPECT_NE(Stderr().find("DISPLAY"), std::string::npos) << display;
#else
        EXPECT_NE(Stderr().find("a build with Qt"), std::string::npos) << display;
#endif
    }
}

TEST_F(Logora, SettingsWithByteOrderMarkAndQuotesAreRead)
{
    WriteSample();
    const std::string ini = "\xEF\xBB\xBF[Options]\r\nFloatLength=\"8\"\r\nDecimalCount=9\r\n";
    WriteSettings(ini);
    ASSERT_EQ(Run({"/sd", "Plant(1).DAT", "process.csv"}), kExitWritten) << Stderr();
    EXPECT_NE(ReadText(InWork("process.csv")).find(",Tank3,20.0000000,"), std::string::npos);
    // The clamped decimals are reported once.
    const std::string note = "Viewer.ini: DecimalCount=9 lies outside 0 to 7; 7 is used\n";
    EXPECT_NE(Stderr().find(note), std::string::npos) << Stderr();
    EXPECT_EQ(Stderr().find(note), Stderr().rfind(note));
}

// Before, a pipe as the settings file hung every run, and a device or a
// huge sparse file filled memory.
TEST_F(Logora, SettingsThatAreNoSmallRegularFileAreReportedOnceAndNotUsed)
{
    WriteSample();
    WriteSettings("");
    const std::string settings = Home() + "/.config/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini";
#ifdef __SANITIZE_ADDRESS__
    shellPrefix_ = "timeout 20 ";
#else
    shellPrefix_ = "ulimit -v 4000000 && timeout 20 ";
#endif
    const std::vector<std::pair<std::function<void()>, std::string>> cases = {
        {[&] { ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0); },
         ": is a named pipe (FIFO), not a regular file"},
        {[&] { ASSERT_EQ(::symlink("/dev/zero", settings.c_str()), 0); },
         ": is a character device, not a regular file"},
        {[&] {
             WriteSettings("[Options]\nFloatLength=8\n");
             fs::resize_file(settings, uint64_t(4) << 30);
         },
         ": 4294967296 bytes, more than the limit of 1048576 bytes (1 MiB)"},
    };
    for (const auto& [make, detail] : cases) {
        fs::remove(settings);
        make();
        EXPECT_EQ(Run({"/sd", "Plant(1).DAT", "process.csv"}), kExitWritten) << detail;
        const std::string line =
            "logora: " + settings + detail + "; the default settings are used, and changes are not saved\n";
        EXPECT_NE(Stderr().find(line), std::string::npos) << Stderr();
        EXPECT_EQ(Stderr().find(line), Stderr().rfind(line));
    }
}

TEST_F(Logora, TemporaryTableThatCannotGrowFailsTheConversion)
{
    // The table form of a datalog without a tag file is the one batch output
    // that goes through the temporary table (every other is written while
    // its input converts).
    ASSERT_TRUE(vellgen::WritePatternDatalog(InWork("many.log"), 8000, 0, 6, 1774745990));
    WriteBytes(InWork("out.csv"), {'o', 'l', 'd'});
    // Files of the program may not grow beyond 100 to 200 KB (the unit of
    // ulimit depends on the shell); the table of 8,000 values needs more.
    shellPrefix_ = "trap '' XFSZ; ulimit -f 200 && ";
    EXPECT_EQ(Run({"/md", "/table", "many.log", "out.csv"}), kExitInputFailed);
    EXPECT_EQ(ReadText(InWork("out.csv")), "old");
    const std::string log = ReadText(ErrorLog());
    EXPECT_NE(log.find("Convert log file error\r\nmany.log: the conversion stopped: " + Work() + "/TMP"),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("File too large\r\n"), std::string::npos) << log;
    EXPECT_EQ(Leftovers(), (std::vector<std::string>{"many.log", "out.csv"}));
}

TEST_F(Logora, TruncatedObfWritesNothing)
{
    obfgen::ObfSample sample;
    sample.records = obfgen::PlantRecords(2);
    sample.statedRecordCount = 5;
    ASSERT_TRUE(obfgen::WriteObfFile(InWork("short.obf"), sample));
    EXPECT_EQ(Run({"short.obf", "out.csv"}), kExitInputFailed);
    EXPECT_FALSE(fs::exists(InWork("out.csv")));
    EXPECT_NE(
        Stderr().find("short.obf: the header announces 5 records of 25 bytes, but the file holds only 2 "
                      "(3 missing)"),
        std::string::npos)
        << Stderr();
}

// A table whose header promises more than its bytes hold fails as an input,
// whatever the output; so does one whose records are too long for its bytes.
TEST_F(Logora, TableCutShortIsAFaultOfTheInput)
{
    auto bytes = zarngen::ZarnDataFileBytes({20, 3, false});
    bytes[4] = 0x40, bytes[5] = 0x4B, bytes[6] = 0x4C;  // 5,000,000 records
    bytes.resize(bytes.size() - 3 * 39);
    WriteBytes(InWork("cut.dbf"), bytes);
    auto wide = zarngen::ZarnDataFileBytes({20, 3, false});
    wide[10] = 0xFF, wide[11] = 0xFF;  // records of 65535 bytes
    WriteBytes(InWork("wide.dbf"), wide);
    for (const std::string output : {"o.dbf", "o.csv"}) {
        EXPECT_EQ(Run({"/dbf", "cut.dbf", output}), kExitInputFailed) << Stderr();
        EXPECT_NE(Stderr().find("cut.dbf: the header announces 5000000 records of 39 bytes, but the file "
                                "holds only 17 (4999983 missing)"),
                  std::string::npos)
            << Stderr();
        EXPECT_NE(
            Stderr().find("cut.dbf: incomplete: 17 of 5,000,000 records; nothing was written to " + output),
            std::string::npos)
            << Stderr();
        EXPECT_EQ(Run({"/dbf", "wide.dbf", output}), kExitInputFailed) << Stderr();
        EXPECT_NE(Stderr().find("wide.dbf: incomplete: 0 of 20 records"), std::string::npos) << Stderr();
        EXPECT_EQ(Stderr().find("can not be written"), std::string::npos) << Stderr();
        EXPECT_FALSE(fs::exists(InWork(output)));
    }
}

// Each failure leaves a line naming the file and its fault beside the
// program's own message, and a failed mapping is reported once.
TEST_F(Logora, FailuresNameTheFileAndTheFault)
{
    obfgen::ObfSample noColumns;
    noColumns.withColumns = false;
    ASSERT_TRUE(obfgen::WriteObfFile(InWork("bare.obf"), noColumns));
    WriteBytes(InWork("empty.rpp"), {});
    WriteBytes(InWork("empty.log"), {});
    const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
        {{"nosuch.obf", "o.csv"}, "nosuch.obf: cannot be opened for reading: No such file or directory"},
        {{"bare.obf", "o.csv"}, "bare.obf: header length 33 leaves no room for a column descriptor"},
        {{"empty.rpp", "o.csv"}, "empty.rpp: the file is empty; a recipe file is a compound file"},
        {{"/md", "empty.log", "o.csv"}, "empty.log: the file is empty (0 bytes) and cannot be mapped"},
    };
    for (const auto& [args, detail] : cases) {
        EXPECT_EQ(Run(args), kExitInputFailed) << detail;
        EXPECT_NE(Stderr().find(detail), std::string::npos) << Stderr();
        EXPECT_NE(ReadText(ErrorLog()).find(detail), std::string::npos) << detail;
    }
    const std::string stderrText = Stderr();
    EXPECT_EQ(stderrText.find(" failed with error "), stderrText.rfind(" failed with error ")) << stderrText;
    EXPECT_FALSE(fs::exists(InWork("o.csv")));
}

}  // namespace
}  // namespace logora
