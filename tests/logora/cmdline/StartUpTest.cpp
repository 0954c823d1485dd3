// What the program does after parsing, and the values it hands to the run
// state.
#include <gtest/gtest.h>

#include "logora/engine/cmdline/StartUp.h"
#include "logora/engine/run/RunState.h"

#include "CaseName.h"

namespace logora {
namespace {

StartAction ActionFor(const std::vector<std::string>& args)
{
    CFileViewerCmdLineInfo info;
    info.Parse(args);
    return ChooseStartAction(info);
}

TEST(StartUp, HelpWinsOverFiles)
{
    EXPECT_EQ(ActionFor({"a.dat", "/?", "b.csv"}), StartAction::ShowHelp);
    EXPECT_EQ(ActionFor({"a.dat", "b.csv"}), StartAction::Batch);
    EXPECT_EQ(ActionFor({"/ma", "a.alm", "s.mal", "o.csv"}), StartAction::Batch);
    EXPECT_EQ(ActionFor({"a.dat"}), StartAction::Window);
    EXPECT_EQ(ActionFor({}), StartAction::Window);
}

struct OffsetCase
{
    const char* arg;
    bool accepted;
    int offset;
};

class RunStateOffset : public ::testing::TestWithParam<OffsetCase>
{
};

TEST_P(RunStateOffset, OnlyMinusTwelveToThirteenHoursAreUsed)
{
    CFileViewerCmdLineInfo info;
    info.Parse({"/md", "a.log", GetParam().arg, "b.csv"});
    RunState state;
    ApplyToRunState(info, state);
    int offset = 0;
    EXPECT_EQ(state.GetTimeZoneOffset(offset), GetParam().accepted) << GetParam().arg;
    if (GetParam().accepted) {
        EXPECT_EQ(offset, GetParam().offset);
    }
}

INSTANTIATE_TEST_SUITE_P(Switches, RunStateOffset,
                         ::testing::Values(OffsetCase{"/tz8", true, -480}, OffsetCase{"/tz13", true, -780},
                                           OffsetCase{"/tz-12", true, 720}, OffsetCase{"/tz5.5", true, -330},
                                           OffsetCase{"/tz", false, 0}, OffsetCase{"/tz14", false, 0},
                                           OffsetCase{"/tz-13", false, 0}),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param.arg); });

TEST(StartUp, AlarmValuesReachTheRunState)
{
    CFileViewerCmdLineInfo info;
    info.Parse({"/ma", "/6xx", "h.alm", "Setup.MAL", "out"});
    RunState state;
    ApplyToRunState(info, state);
    int version = 0;
    ASSERT_TRUE(state.GetAlarmVersion(version));
    EXPECT_EQ(version, 6);
    EXPECT_EQ(state.GetAlarmSetupPath(), "Setup.MAL");
}

}  // namespace
}  // namespace logora
