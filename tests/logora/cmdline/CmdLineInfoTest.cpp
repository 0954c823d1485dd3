// Command-line grammar: switches by "-", or by "/" without a second "/", file
// parameters, alarm version order, setup file and time zone offsets.
#include <gtest/gtest.h>

#include "logora/engine/cmdline/CFileViewerCmdLineInfo.h"
#include "logora/engine/cmdline/MakeAbsolutePath.h"
#include "logora/engine/formats/PathExtension.h"

#include "CaseName.h"

namespace logora {
namespace {

CFileViewerCmdLineInfo Parsed(const std::vector<std::string>& args)
{
    CFileViewerCmdLineInfo info;
    info.Parse(args);
    return info;
}

TEST(CmdLineInfo, VellExampleWithTimeZone)
{
    const auto info = Parsed({"/md", "process.log", "process.csv", "/tz8"});
    EXPECT_TRUE(info.vellDatalog);
    EXPECT_EQ(info.fileParameters, (std::vector<std::string>{"process.log", "process.csv"}));
    EXPECT_TRUE(info.timeZoneGiven);
    EXPECT_EQ(info.timeZoneOffsetMinutes, 480);
}

TEST(CmdLineInfo, FlagSwitchesAnyCaseAndEitherPrefix)
{
    const auto info = Parsed({"-SD", "/Dbf", "/table", "-md", "/MA"});
    EXPECT_TRUE(info.zarnDatalog);
    EXPECT_TRUE(info.dbase);
    EXPECT_TRUE(info.tableForm);
    EXPECT_TRUE(info.vellDatalog);
    EXPECT_TRUE(info.alarmLog);
    EXPECT_TRUE(info.fileParameters.empty());
    EXPECT_FALSE(info.help);
}

struct SlashCase
{
    const char* arg;
    bool isSwitch;
};

class SlashRule : public ::testing::TestWithParam<SlashCase>
{
};

TEST_P(SlashRule, SlashStartsASwitchUnlessASecondSlashFollows)
{
    EXPECT_EQ(CFileViewerCmdLineInfo::IsSwitchArgument(GetParam().arg), GetParam().isSwitch)
        << GetParam().arg;
}

INSTANTIATE_TEST_SUITE_P(Args, SlashRule,
                         ::testing::Values(SlashCase{"/home/user/process.log", false}, SlashCase{"/md", true},
                                           SlashCase{"/?", true}, SlashCase{"/4XX", true},
                                           SlashCase{"/ce6", true}, SlashCase{"/tz8", true},
                                           SlashCase{"/TZ-3.5", true}, SlashCase{"/tz", true},
                                           SlashCase{"/tzdata", true}, SlashCase{"/tmp", true},
                                           SlashCase{"/x", true}, SlashCase{"/abs/path.csv", false},
                                           SlashCase{"//x", false}, SlashCase{"-anything", true},
                                           SlashCase{"plain.dat", false}, SlashCase{"", false}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.arg); });

TEST(CmdLineInfo, AbsolutePathsAreFileParameters)
{
    const auto info = Parsed({"/md", "/home/user/process.log", "/tmp/out.csv"});
    EXPECT_EQ(info.fileParameters, (std::vector<std::string>{"/home/user/process.log", "/tmp/out.csv"}));
}

TEST(CmdLineInfo, UnknownAndNumberlessSwitchesAreIgnoredWithAWarning)
{
    const auto info = Parsed({"/md", "one.log", "/nologo", "/abs/path.csv", "/tzinf"});
    EXPECT_EQ(info.fileParameters, (std::vector<std::string>{"one.log", "/abs/path.csv"}));
    EXPECT_EQ(info.timeZoneOffsetMinutes, 1440);
    ASSERT_EQ(info.ignoredSwitchWarnings.size(), 2u);
    EXPECT_NE(info.ignoredSwitchWarnings[0].find("/nologo"), std::string::npos);
    EXPECT_NE(info.ignoredSwitchWarnings[1].find("/tzinf"), std::string::npos);
}

struct TimeZoneCase
{
    const char* arg;
    int minutes;
};

class TimeZoneSwitch : public ::testing::TestWithParam<TimeZoneCase>
{
};

TEST_P(TimeZoneSwitch, HoursBecomeTruncatedMinutes)
{
    const auto info = Parsed({"a.log", GetParam().arg, "b.csv"});
    EXPECT_TRUE(info.timeZoneGiven);
    EXPECT_EQ(info.timeZoneOffsetMinutes, GetParam().minutes) << GetParam().arg;
}

// Out-of-range values are stored as given; the run state refuses them.
INSTANTIATE_TEST_SUITE_P(Values, TimeZoneSwitch,
                         ::testing::Values(TimeZoneCase{"/tz", 1440}, TimeZoneCase{"/tz14", 840},
                                           TimeZoneCase{"/tz-13", -780}, TimeZoneCase{"/tz13", 780},
                                           TimeZoneCase{"/tz-12", -720}, TimeZoneCase{"/tz5.5", 330},
                                           TimeZoneCase{"/TZ-3.5", -210}, TimeZoneCase{"-tznan", 1440},
                                           TimeZoneCase{"-tzinf", 1440}, TimeZoneCase{"-tz1e30", 1440}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.arg); });

TEST(CmdLineInfo, NoTimeZoneSwitchKeepsNoOffset)
{
    const auto info = Parsed({"a.dat", "b.csv"});
    EXPECT_FALSE(info.timeZoneGiven);
    EXPECT_EQ(info.timeZoneOffsetMinutes, 1440);
}

struct AlarmCase
{
    std::vector<std::string> args;
    int version;
    std::string setupPath;
};

class AlarmSwitches : public ::testing::TestWithParam<AlarmCase>
{
};

TEST_P(AlarmSwitches, VersionAndSetupFile)
{
    const auto info = Parsed(GetParam().args);
    EXPECT_EQ(info.alarmVersion, GetParam().version);
    EXPECT_EQ(info.alarmSetupPath, GetParam().setupPath);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AlarmSwitches,
    ::testing::Values(
        AlarmCase{{"/ma", "/4xx", "history.alm", "MachineAlarms.mal", "CSV99"}, 3, "MachineAlarms.mal"},
        AlarmCase{{"/4xx", "/ma", "a.alm", "b.mal", "out.csv"}, 0, "b.mal"},
        AlarmCase{{"/ma", "a.alm", "out.csv"}, 0, ""},
        AlarmCase{{"/ma", "/ce", "a.alm", "s.MAL", "o"}, 1, "s.MAL"},
        AlarmCase{{"/ma", "/3xx", "/6xx", "a.alm", "o"}, 6, ""},
        AlarmCase{{"/ma", "/CE6", "a.alm", "o"}, 5, ""}, AlarmCase{{"/md", "a.alm", "s.mal", "o"}, 0, ""},
        AlarmCase{{"/ma", "a.alm", "/home/u/setup.d/file", "o"}, 0, ""}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.args); });

TEST(CmdLineInfo, HelpWithFileNames)
{
    const auto info = Parsed({"/?", "a.dat", "b.csv"});
    EXPECT_TRUE(info.help);
    EXPECT_EQ(info.fileParameters.size(), 2u);
}

struct ExtensionCase
{
    const char* path;
    const char* extension;
};

class Extension : public ::testing::TestWithParam<ExtensionCase>
{
};

TEST_P(Extension, FromTheNamesLastDot)
{
    EXPECT_EQ(ExtensionOf(GetParam().path), GetParam().extension) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(Paths, Extension,
                         ::testing::Values(ExtensionCase{"out.csv", ".csv"}, ExtensionCase{"out", ""},
                                           ExtensionCase{".hidden", ""}, ExtensionCase{"a.b.DBF", ".DBF"},
                                           ExtensionCase{"/tmp/out.d/file", ""},
                                           ExtensionCase{"../process", ""}, ExtensionCase{"dir/.csv", ""}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.path); });

struct AbsoluteCase
{
    const char* parameter;
    const char* expected;
};

class AbsolutePath : public ::testing::TestWithParam<AbsoluteCase>
{
};

TEST_P(AbsolutePath, CompletedAgainstCurrentDirectory)
{
    EXPECT_EQ(MakeAbsolutePath(GetParam().parameter, "/home/u/work"), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Parameters, AbsolutePath,
                         ::testing::Values(AbsoluteCase{"x.log", "/home/u/work/x.log"},
                                           AbsoluteCase{"sub/x.log", "/home/u/work/sub/x.log"},
                                           AbsoluteCase{"/data/x.log", "/data/x.log"},
                                           AbsoluteCase{"sub//x.log", "sub//x.log"},
                                           AbsoluteCase{"../x.log", "/home/u/work/../x.log"}),
                         [](const auto& info) {
                             return testsupport::IndexedName(info, info.param.parameter);
                         });

TEST(MakeAbsolutePath, RootCurrentDirectoryGetsNoDoubleSlash)
{
    EXPECT_EQ(MakeAbsolutePath("x.log", "/"), "/x.log");
}

}  // namespace
}  // namespace logora
