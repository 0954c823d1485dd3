#include "logora/engine/settings/AppSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::AppSettings;
using logora::testing::ScratchDir;

TEST(AppSettings, DefaultsWhenNothingIsStored)
{
    ScratchDir scratch;
    AppSettings settings(scratch.file("missing.ini"));
    EXPECT_TRUE(settings.Load());
    EXPECT_EQ(settings.FloatLength(), 17);
    EXPECT_EQ(settings.DecimalCount(), 8);
    EXPECT_EQ(settings.ShowGridLines(), 0);
    EXPECT_EQ(settings.OpenFilePath(), "");
    EXPECT_EQ(settings.SaveFilePath(), "");
    EXPECT_EQ(settings.DestTimeZone(), -1);
    EXPECT_FALSE(settings.CodePage().has_value());
    EXPECT_TRUE(settings.RecentFiles().empty());
}

TEST(AppSettings, WritesAreSavedAtOnceInSectionOptions)
{
    ScratchDir scratch;
    std::string path = scratch.file("Kestra Applications/app.ini");
    AppSettings settings(path);
    ASSERT_TRUE(settings.WriteProfileInt("Options", "FloatLength", 12));
    ASSERT_TRUE(settings.WriteProfileString("Options", "OpenFilePath", "/data/logs"));
    ASSERT_TRUE(settings.WriteProfileInt("Options", "DestTimeZone", 5));

    AppSettings reread(path);
    ASSERT_TRUE(reread.Load());
    EXPECT_EQ(reread.FloatLength(), 12);
    EXPECT_EQ(reread.OpenFilePath(), "/data/logs");
    EXPECT_EQ(reread.DestTimeZone(), 5);
    std::ifstream in(path);
    std::string firstLine;
    std::getline(in, firstLine);
    EXPECT_EQ(firstLine, "[Options]");
}

TEST(AppSettings, IntegersAreReadLikeAtoi)
{
    ScratchDir scratch;
    std::string path = scratch.file("app.ini");
    std::ofstream(path) << "[options]\nfloatlength=  21x\ndecimalcount=abc\ncodepage=-5\n";
    AppSettings settings(path);
    ASSERT_TRUE(settings.Load());
    EXPECT_EQ(settings.FloatLength(), 21);
    EXPECT_EQ(settings.DecimalCount(), 0);
    EXPECT_EQ(settings.CodePage(), -5);
}

TEST(AppSettings, RecentFilesKeepFourMostRecentFirst)
{
    ScratchDir scratch;
    AppSettings settings(scratch.file("app.ini"));
    for (const char* file : {"/a.log", "/b.dat", "/c.alm", "/d.rpp", "/e.dbf", "/c.alm"})
        settings.AddRecentFile(file);
    EXPECT_EQ(settings.RecentFiles(), (std::vector<std::string>{"/c.alm", "/e.dbf", "/d.rpp", "/b.dat"}));
    settings.RemoveRecentFile("/e.dbf");
    AppSettings reread(settings.Path());
    reread.Load();
    EXPECT_EQ(reread.RecentFiles(), (std::vector<std::string>{"/c.alm", "/d.rpp", "/b.dat"}));
}

TEST(AppSettings, DefaultPathUnderTheConfigFolder)
{
    setenv("XDG_CONFIG_HOME", "/cfg", 1);
    EXPECT_EQ(AppSettings::DefaultPath(), "/cfg/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini");
    unsetenv("XDG_CONFIG_HOME");
    setenv("HOME", "/home/op", 1);
    EXPECT_EQ(AppSettings::DefaultPath(),
              "/home/op/.config/Kestra Applications/Quorvi Zerovuvuru File Viewer.ini");
}

}  // namespace
