#include "platform/settings/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "Utf8Path.h"
#include "platform/settings/UserProfile.h"
#include "tests/logora/largefile/ScratchDir.h"

namespace {

using logora::testing::ScratchDir;

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCase)
{
    platform::IniFile ini;
    ini.FromText(
        "; comment\r\n[Options]\r\nFloatLength=12\r\n  DecimalCount = 3\r\n[Other]\nFloatLength=99\n");
    EXPECT_EQ(ini.Get("options", "floatlength"), "12");
    EXPECT_EQ(ini.Get("OPTIONS", "DecimalCount"), " 3");
    EXPECT_EQ(ini.Get("Other", "FloatLength"), "99");
    EXPECT_FALSE(ini.Get("Options", "Missing").has_value());
    EXPECT_FALSE(ini.Get("Missing", "FloatLength").has_value());
}

TEST(IniFile, SectionWrittenTwiceOrWithBlanksInItsBracketsReadsAsOne)
{
    platform::IniFile ini;
    ini.FromText("[ Options ]\nA=1\n[Other]\nA=2\n[options]\nB='quoted'\n");
    EXPECT_EQ(ini.Get("Options", "A"), "1");
    EXPECT_EQ(ini.Get("Options", "B"), "quoted");
    ini.Set("Options", "B", "3");
    ini.Remove("Options", "A");
    EXPECT_EQ(ini.ToText(), "[Options]\n\n[Other]\nA=2\n\n[options]\nB=3\n");
}

TEST(IniFile, SetReplacesKeepsOrderAndComments)
{
    platform::IniFile ini;
    ini.FromText("; kept\n[Options]\nA=1\nB=2\n");
    ini.Set("OPTIONS", "a", "10");
    ini.Set("Options", "C", "3");
    ini.Set("New", "Key", "line\nbreak");
    ini.Remove("Options", "B");
    EXPECT_EQ(ini.ToText(), "; kept\n\n[Options]\nA=10\nC=3\n\n[New]\nKey=line break\n");
}

TEST(IniFile, SaveAndLoadRoundTrip)
{
    ScratchDir scratch;
    // Paths are UTF-8; on Windows no part of saving may take them as ANSI text.
    const std::string folder = scratch.file("sub") + "/Kessel S\u00FCd";
    const std::string path = folder + "/app.ini";
    platform::IniFile ini;
    EXPECT_TRUE(ini.Load(path));  // missing file: empty store
    ini.Set("Options", "OpenFilePath", "/data/logs");
    ASSERT_TRUE(ini.Save(path));
    platform::IniFile loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.Get("Options", "OpenFilePath"), "/data/logs");
    size_t entries = 0;
    for ([[maybe_unused]] auto& entry : std::filesystem::directory_iterator(testsupport::Utf8Path(folder)))
        ++entries;
    EXPECT_EQ(entries, 1u);  // no temporary file left behind
}

TEST(IniFile, LoadOfAFolderFails)
{
    ScratchDir scratch;
    std::filesystem::create_directories(scratch.file("dir.ini"));
    platform::IniFile ini;
    EXPECT_FALSE(ini.Load(scratch.file("dir.ini")));
}

// A settings file is a few lines: a huge one is not read into memory, and
// not replaced by one that holds only what was written since.
TEST(IniFile, AFileBeyondOneMebibyteIsNeitherReadNorReplaced)
{
    ScratchDir scratch;
    const std::string path = scratch.file("app.ini");
    std::ofstream(path) << "[Options]\nFloatLength=12\n";
    std::filesystem::resize_file(path, (1 << 20) + 1);
    platform::IniFileProfile profile(path);
    EXPECT_FALSE(profile.Load());
    EXPECT_TRUE(profile.Failure().starts_with(path + ": 1048577 bytes")) << profile.Failure();
    EXPECT_FALSE(profile.GetInt("Options", "FloatLength").has_value());
    EXPECT_FALSE(profile.WriteInt("Options", "FloatLength", 9));
    EXPECT_EQ(std::filesystem::file_size(path), (1u << 20) + 1);

    std::filesystem::resize_file(path, 1 << 20);
    platform::IniFile atTheLimit;
    ASSERT_TRUE(atTheLimit.Load(path));
    EXPECT_EQ(atTheLimit.Get("Options", "FloatLength"), "12");
}

}  // namespace
