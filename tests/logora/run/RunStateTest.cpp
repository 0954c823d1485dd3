#include "logora/engine/run/RunState.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "logora/engine/context/ConversionError.h"
#include "logora/engine/run/StringTable.h"
#include "platform/paths/Paths.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::RunState;
using logora::testing::ScratchDir;

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(RunState, ErrorLogPathReplacesOrAppendsTheExtension)
{
    EXPECT_EQ(RunState::ErrorLogPathFor("/opt/Tools/Logora.exe"), "/opt/Tools/Logora-Err.log");
    EXPECT_EQ(RunState::ErrorLogPathFor("/usr/bin/logora"), "/usr/bin/logora-Err.log");
    EXPECT_EQ(RunState::ErrorLogPathFor("/opt/v1.2/logora"), "/opt/v1.2/logora-Err.log");
    EXPECT_EQ(RunState::ErrorLogPathFor("/opt/.logora"), "/opt/.logora-Err.log");
    EXPECT_EQ(RunState::ErrorLogPathFor(""), "");
#ifdef _WIN32
    EXPECT_EQ(RunState::ErrorLogPathFor("C:\\v1.2\\Logora"), "C:\\v1.2\\Logora-Err.log");
#endif
}

TEST(RunState, EnteringCommandLineModeUsesTheRunningProgram)
{
    RunState state;
    EXPECT_FALSE(state.IsCommandLineMode());
    EXPECT_TRUE(state.GetErrorLogPath().empty());
    state.EnterCommandLineMode();
    EXPECT_TRUE(state.IsCommandLineMode());
    EXPECT_NE(state.GetErrorLogPath().find("logora_run_tests-Err.log"), std::string::npos);
}

TEST(RunState, CommandLineReportsAppendLinesAndGoToStandardError)
{
    ScratchDir scratch;
    RunState state;
    state.EnterCommandLineMode(scratch.file("Logora.exe"));
    std::string log = scratch.file("Logora-Err.log");
    std::ofstream(log, std::ios::binary) << "earlier run\r\n";

    ::testing::internal::CaptureStderr();
    state.ReportError(logora::strings::ConvertLogFileError);
    state.ReportError(logora::strings::AlarmSetupNotSelected);
    std::string errors = ::testing::internal::GetCapturedStderr();

    EXPECT_EQ(Contents(log),
              "earlier run\r\nConvert log file error\r\nThe Vell alarm setup file is not selected!\r\n");
    EXPECT_EQ(errors, "Convert log file error\nThe Vell alarm setup file is not selected!\n");
}

TEST(RunState, CommandLineReportsGoOnlyToAReportSinkWhenOneIsSet)
{
    ScratchDir scratch;
    RunState state;
    state.EnterCommandLineMode(scratch.file("Logora.exe"));
    std::vector<std::pair<std::string, std::string>> reports;
    state.SetReportSink([&](std::string_view text, std::string_view detail) {
        reports.emplace_back(std::string(text), std::string(detail));
    });

    ::testing::internal::CaptureStderr();
    state.ReportFailure(logora::strings::ConvertLogFileError, "a.log: ends at byte 7");
    state.ReportError(logora::strings::AlarmSetupNotSelected);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

    EXPECT_FALSE(std::filesystem::exists(scratch.file("Logora-Err.log")));
    EXPECT_EQ(reports, (std::vector<std::pair<std::string, std::string>>{
                           {"Convert log file error", "a.log: ends at byte 7"},
                           {"The Vell alarm setup file is not selected!", ""}}));
}

// A program folder that cannot be written moves the log to the state folder;
// a log that cannot be written anywhere still reaches standard error.
TEST(RunState, UnwritableProgramFolderMovesTheLogToTheStateFolder)
{
    ScratchDir scratch;
    std::ofstream(scratch.file("plain-file")) << "x";
    for (const std::string& stateHome : {scratch.file("state"), scratch.file("plain-file/state")}) {
        setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
        RunState state;
        state.EnterCommandLineMode("/no/such/folder/Logora");
        const std::string log = stateHome + "/logora/Logora-Err.log";
        EXPECT_EQ(state.GetErrorLogPath(), log);
        ::testing::internal::CaptureStderr();
        state.ReportError(logora::strings::ConvertingFile, "a.log");
        state.ReportError(logora::strings::ConvertingFile, "b.log");
        const bool writable = stateHome == scratch.file("state");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "logora: the program's folder cannot be written; the error log is " + log + "\n" +
                      (writable ? ""
                                : "logora: the error log " + log +
                                      " cannot be written; the messages are on standard error only\n") +
                      "Converting file: a.log\nConverting file: b.log\n");
        if (writable) {
            EXPECT_EQ(Contents(log), "Converting file: a.log\r\nConverting file: b.log\r\n");
        }
    }
    unsetenv("XDG_STATE_HOME");
}

#ifndef _WIN32
// An installed program keeps its log in the state folder, whoever runs it
// (root could write beside it), and says nothing of it.
TEST(RunState, InstalledProgramKeepsItsLogInTheStateFolder)
{
    ScratchDir scratch;
    setenv("XDG_STATE_HOME", scratch.file("state").c_str(), 1);
    for (const char* program : {"/usr/bin/logora", "/usr/local/bin/logora", "/opt/logora/bin/logora"}) {
        RunState state;
        state.EnterCommandLineMode(program);
        EXPECT_EQ(state.GetErrorLogPath(), scratch.file("state") + "/logora/logora-Err.log") << program;
        ::testing::internal::CaptureStderr();
        state.ReportError(logora::strings::ConvertingFile, "a.log");
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Converting file: a.log\n") << program;
    }
    EXPECT_FALSE(platform::IsSharedProgramFolder("/usrlocal/bin"));
    EXPECT_FALSE(platform::IsSharedProgramFolder(scratch.file("bin")));
    unsetenv("XDG_STATE_HOME");
}
#endif

// A probe of the program's folder can pass where the write fails (here the
// log's name is taken by a folder): the first failed write moves the log.
TEST(RunState, FailedWriteBesideTheProgramMovesTheLog)
{
    ScratchDir scratch;
    std::filesystem::create_directory(scratch.file("LogoraWriteTest-Err.log"));
#ifndef _WIN32
    setenv("XDG_STATE_HOME", scratch.file("state").c_str(), 1);
#endif
    const std::string log = platform::JoinPath(platform::JoinPath(platform::UserStateFolder(), "logora"),
                                               "LogoraWriteTest-Err.log");
    const std::string moved =
        "logora: the program's folder cannot be written; the error log is " + log + "\n";
    const std::string lines = "Converting file: a.log\nConverting file: b.log\n";
    const auto report = [](RunState& state) {
        ::testing::internal::CaptureStderr();
        state.ReportError(logora::strings::ConvertingFile, "a.log");
        state.ReportError(logora::strings::ConvertingFile, "b.log");
        return ::testing::internal::GetCapturedStderr();
    };
    std::error_code ignored;
    std::filesystem::remove(log, ignored);

    RunState state;
    state.EnterCommandLineMode(scratch.file("LogoraWriteTest.exe"));
    EXPECT_EQ(state.GetErrorLogPath(), scratch.file("LogoraWriteTest-Err.log"));
    EXPECT_EQ(report(state), moved + lines);
    EXPECT_EQ(state.GetErrorLogPath(), log);
    EXPECT_EQ(Contents(log), "Converting file: a.log\r\nConverting file: b.log\r\n");
    std::filesystem::remove(log, ignored);
#ifndef _WIN32
    unsetenv("XDG_STATE_HOME");
#endif
}

TEST(RunState, AtAWindowReportsGoToTheMessageBoxAndNoLogIsCreated)
{
    ScratchDir scratch;
    RunState state;
    std::vector<std::pair<std::string, std::string>> shown;
    state.SetMessageBoxSink([&](std::string_view caption, std::string_view text) {
        shown.emplace_back(std::string(caption), std::string(text));
    });
    state.ReportError(logora::strings::AlarmFileCannotBeOpened);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].first, "Quorvi Zerovuvuru File Viewer");
    EXPECT_EQ(shown[0].second, "This Vell Alarm file can not be opened!");
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(scratch.file("x")).parent_path()));
}

TEST(RunState, TimeZoneOffsetBounds)
{
    RunState state;
    int offset = 0;
    EXPECT_FALSE(state.GetTimeZoneOffset(offset));  // initial 1440: none
    struct Case
    {
        int stored;
        bool accepted;
    };
    for (Case c : {Case{780, true}, Case{-720, true}, Case{781, false}, Case{-721, false}, Case{480, true}}) {
        state.SetTimeZoneOffset(c.stored);
        offset = 12345;
        EXPECT_EQ(state.GetTimeZoneOffset(offset), c.accepted) << c.stored;
        if (c.accepted) {
            EXPECT_EQ(offset, -c.stored);
        }
    }
}

TEST(RunState, AlarmVersionAndSetupPath)
{
    RunState state;
    int version = -1;
    EXPECT_FALSE(state.GetAlarmVersion(version));
    state.SetAlarmVersion(3);
    EXPECT_TRUE(state.GetAlarmVersion(version));
    EXPECT_EQ(version, 3);
    EXPECT_EQ(state.GetAlarmSetupPath(), "");
    state.SetAlarmSetupPath("/data/Machine.mal");
    EXPECT_EQ(state.GetAlarmSetupPath(), "/data/Machine.mal");
}

TEST(RunState, FailedMappingsReachTheProgramsReport)
{
    std::vector<std::string> shown;
    logora::ProgramRunState().SetMessageBoxSink([&](std::string_view caption, std::string_view text) {
        shown.push_back(std::string(caption) + "|" + std::string(text));
    });
    logora::ProgramRunState().ReportMappingError(12, "/tmp/TMPa: cannot grow to 131072 bytes");
    logora::ProgramRunState().SetMessageBoxSink(nullptr);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].rfind("Error| failed with error 12: ", 0), 0u) << shown[0];
    EXPECT_TRUE(shown[0].ends_with("\n/tmp/TMPa: cannot grow to 131072 bytes")) << shown[0];
}

}  // namespace

// The shapes in which a conversion's failure reaches the user: the numbered
// text with the detail, the text naming the file, the detail alone followed
// by a text of its own.
TEST(RunState, ConversionErrorsReportTheirNumberedTextAndDetail)
{
    using logora::ConversionError;
    using Kind = ConversionError::Kind;
    RunState state;
    std::vector<std::string> shown;
    state.SetMessageBoxSink([&](std::string_view, std::string_view text) { shown.emplace_back(text); });

    ConversionError::Stopped("a.log", "a.log: record 3 cannot be read").AtRecord(3).ReportTo(state);
    ConversionError::TableUnwritten("a.log", "disk full").ReportTo(state);
    ConversionError(Kind::Refused, "r.rpp", logora::strings::RecipeTooManySets, {}).ReportTo(state);
    ConversionError(Kind::Refused, "h.alm", ConversionError::kNoMessage, "h.alm: record 9 cannot be read")
        .ThenReport(logora::strings::ConvertLogFileError)
        .ReportTo(state);
    EXPECT_EQ(shown, (std::vector<std::string>{
                         "Convert log file error\na.log: record 3 cannot be read",
                         "Convert log file error\na.log: the conversion stopped: disk full",
                         "The Blendcraft file r.rpp has more data sets and tag sets than one table can hold!",
                         "h.alm: record 9 cannot be read", "Convert log file error"}));
}
