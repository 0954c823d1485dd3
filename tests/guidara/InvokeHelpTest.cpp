// The shipped library through its exported functions: lookups in the real
// table, where the help folder comes from, and pages named directly.
#include <gtest/gtest.h>
#include <signal.h>

#include <filesystem>

#include "tests/guidara/support/HelpSandbox.h"

#include "CaseName.h"

namespace guidara_test {
namespace {

const std::string kVettlePage = "Vettle/Help/1001.htm";

class InvokeHelpTest : public ::testing::Test
{
protected:
    std::string UseHelpFolder()
    {
        const std::string folder = (sandbox.Root() / "help").string() + "/";
        sandbox.SetEnv("KestraCommonHelpDir", folder);
        return folder;
    }

    HelpSandbox sandbox;
    GuidaraLibrary library{GUIDARA_LIBRARY};
};

class HelpFileSpellingTest : public InvokeHelpTest, public ::testing::WithParamInterface<const char16_t*>
{
};

TEST_P(HelpFileSpellingTest, OpensTheVettlePageOfTheSourceHelpFolder)
{
    sandbox.SetEnv("KestraCommonHelpDir", GUIDARA_HELP_SOURCE_DIR "/");
    EXPECT_EQ(library.InvokeHelpW(nullptr, GetParam(), 15, 1001), 1);
    const std::string page = GUIDARA_HELP_SOURCE_DIR "/" + kVettlePage;
    EXPECT_EQ(sandbox.WaitForOpened(1), std::vector<std::string>{OpenedRecord(page)});
    EXPECT_TRUE(std::filesystem::is_regular_file(page));
}

INSTANTIATE_TEST_SUITE_P(NameOrPathInAnyCase, HelpFileSpellingTest,
                         ::testing::Values(u"ZAZIzezIveZodidiDarevedazIziduda.chm",
                                           u"C:\\Program Files\\Tarrow\\ZAZIzezIveZodidiDarevedazIziduda.chm",
                                           u"/opt/help/ZAZIzezIveZodidiDarevedazIziduda.chm",
                                           u"C:\\Help/ZAZIzezIveZodidiDarevedazIziduda.chm",
                                           u"zazizeziveZODIDIdarevedaziziduda.CHM"),
                         [](const auto& info) { return testsupport::IndexedName(info, info.param); });

TEST_F(InvokeHelpTest, EightBitNameFindsTheSamePage)
{
    const std::string folder = UseHelpFolder();
    EXPECT_EQ(library.InvokeHelpA(nullptr, "docs\\ZAZIZEZIVEZODIDIDAREVEDAZIZIDUDA.chm", 15, 1001), 1);
    EXPECT_EQ(sandbox.WaitForOpened(1), std::vector<std::string>{OpenedRecord(folder + kVettlePage)});
}

struct Unmapped
{
    const char16_t* helpFile;
    int contextId;
};

class UnmappedRequestTest : public InvokeHelpTest, public ::testing::WithParamInterface<Unmapped>
{
};

TEST_P(UnmappedRequestTest, GivesZeroAndOpensNothing)
{
    UseHelpFolder();
    EXPECT_EQ(library.InvokeHelpW(nullptr, GetParam().helpFile, 15, GetParam().contextId), 0);
    EXPECT_TRUE(sandbox.WaitForOpened(0).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UnmappedRequestTest,
    ::testing::Values(Unmapped{u"ZAZIzezIveZodidiDarevedazIziduda.chm", 1002},  // unknown context id
                      Unmapped{u"ZAZIzezIveZodidiDarevedazIziduda.chm", -1001},
                      Unmapped{u"ZAZIzezIveZodidiDarevedazIziduda", 1001}, Unmapped{u"Unknown.chm", 1001},
                      Unmapped{u"", 1001}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.helpFile); });

TEST_F(InvokeHelpTest, LogoraPagesAreMapped)
{
    const std::string folder = UseHelpFolder();
    for (int contextId : {2001, 2002, 2003}) {
        EXPECT_EQ(library.InvokeHelpW(nullptr, u"Logora.chm", 0, contextId), 1) << contextId;
    }
    EXPECT_EQ(sandbox.WaitForOpened(3).size(), 3u);
}

// Where the help folder comes from: environment, settings file, installed.
struct FolderCase
{
    const char* name;
    std::optional<std::string> environment;
    std::optional<std::string> setupFile;
    std::optional<std::string> expectedFolder;  // nullopt: the request gives 0
};

class HelpFolderTest : public InvokeHelpTest, public ::testing::WithParamInterface<FolderCase>
{
};

TEST_P(HelpFolderTest, DecidesWhereThePageOpens)
{
    const FolderCase& c = GetParam();
    sandbox.SetEnv("KestraCommonHelpDir", c.environment);
    if (c.setupFile) sandbox.WriteSetupFile(*c.setupFile);

    const int expected = c.expectedFolder ? 1 : 0;
    EXPECT_EQ(library.InvokeHelpW(nullptr, u"ZAZIzezIveZodidiDarevedazIziduda.chm", 15, 1001), expected);
    EXPECT_EQ(library.InvokeHelpDirectW(u"Vettle\\Help\\1001.htm"), expected);
    const std::vector<std::string> opened = sandbox.WaitForOpened(2 * expected);
    if (c.expectedFolder) {
        const std::string record = OpenedRecord(*c.expectedFolder + kVettlePage);
        EXPECT_EQ(opened, (std::vector<std::string>{record, record}));
    } else {
        EXPECT_TRUE(opened.empty());
    }
}

const std::string kInstalled = GUIDARA_INSTALLED_HELP_DIR;

INSTANTIATE_TEST_SUITE_P(
    Sources, HelpFolderTest,
    ::testing::Values(FolderCase{"EnvironmentWithSlash", "/opt/help/", std::nullopt, "/opt/help/"},
                      FolderCase{"EnvironmentWithoutSlashGetsOne", "/opt/help", std::nullopt, "/opt/help/"},
                      FolderCase{"EmptyEnvironmentMeansInstalled", "", std::nullopt, kInstalled},
                      FolderCase{"SettingsFile", std::nullopt,
                                 "; machine-wide setup\r\n[Other]\r\nKestraCommonHelpDir=/wrong/\r\n"
                                 "[Default/Common]\r\n  kestracommonhelpdir = \"/srv/help/\"\r\n",
                                 "/srv/help/"},
                      FolderCase{"SettingsFileWithByteOrderMark", std::nullopt,
                                 "\xEF\xBB\xBF[Default/Common]\nKestraCommonHelpDir=/srv/help/\n",
                                 "/srv/help/"},
                      FolderCase{"EmptySettingMeansInstalled", std::nullopt,
                                 "[Default/Common]\nKestraCommonHelpDir=\n", kInstalled},
                      FolderCase{"EnvironmentWinsOverSettings", "/env/help/",
                                 "[Default/Common]\nKestraCommonHelpDir=/srv/\n", "/env/help/"},
                      FolderCase{"NeitherGivesZero", std::nullopt, std::nullopt, std::nullopt},
                      FolderCase{"KeyInAnotherSectionGivesZero", std::nullopt,
                                 "[Default]\nKestraCommonHelpDir=/srv/\n", std::nullopt},
                      FolderCase{"SectionWithoutKeyGivesZero", std::nullopt,
                                 "[Default/Common]\nOtherDir=/srv/\n", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

struct DirectCase
{
    const char* page;
    bool opens;
};

class DirectPageTest : public InvokeHelpTest, public ::testing::WithParamInterface<DirectCase>
{
};

TEST_P(DirectPageTest, OpensOnlyPagesInsideTheHelpFolder)
{
    const std::string folder = UseHelpFolder();
    const DirectCase& c = GetParam();
    const std::u16string wide(c.page, c.page + std::char_traits<char>::length(c.page));
    EXPECT_EQ(library.InvokeHelpDirectA(c.page), c.opens ? 1 : 0);
    EXPECT_EQ(library.InvokeHelpDirectW(wide.c_str()), c.opens ? 1 : 0);
    std::string expected = folder + c.page;
    std::replace(expected.begin(), expected.end(), '\\', '/');
    const std::vector<std::string> opened = sandbox.WaitForOpened(c.opens ? 2 : 0);
    EXPECT_EQ(opened,
              c.opens ? std::vector<std::string>(2, OpenedRecord(expected)) : std::vector<std::string>{});
}

INSTANTIATE_TEST_SUITE_P(
    Pages, DirectPageTest,
    ::testing::Values(DirectCase{"Vettle\\Help\\1001.htm", true}, DirectCase{"Vettle/Help/1001.htm", true},
                      DirectCase{"a..b\\..c.htm", true}, DirectCase{"", false},
                      DirectCase{"..\\outside.htm", false}, DirectCase{"Vettle\\..\\..\\outside.htm", false},
                      DirectCase{"Vettle/Help/..", false}, DirectCase{"/etc/passwd", false},
                      DirectCase{"\\etc\\passwd", false}),
    [](const auto& info) { return testsupport::IndexedName(info, info.param.page); });

TEST_F(InvokeHelpTest, HostThatIgnoresChildSignalsStillGetsOne)
{
    const std::string folder = UseHelpFolder();
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    struct sigaction previous = {};
    ASSERT_EQ(sigaction(SIGCHLD, &ignore, &previous), 0);
    EXPECT_EQ(library.InvokeHelpW(nullptr, u"ZAZIzezIveZodidiDarevedazIziduda.chm", 15, 1001), 1);
    EXPECT_EQ(sandbox.WaitForOpened(1), std::vector<std::string>{OpenedRecord(folder + kVettlePage)});
    sandbox.RemoveOpener();
    sandbox.SetEnv("PATH", (sandbox.Root() / "bin").string());
    EXPECT_EQ(library.InvokeHelpDirectA("Vettle\\Help\\1001.htm"), 0);
    sigaction(SIGCHLD, &previous, nullptr);
}

TEST_F(InvokeHelpTest, OpenerThatCannotStartGivesZero)
{
    UseHelpFolder();
    sandbox.RemoveOpener();
    sandbox.SetEnv("PATH", (sandbox.Root() / "bin").string());
    EXPECT_EQ(library.InvokeHelpW(nullptr, u"ZAZIzezIveZodidiDarevedazIziduda.chm", 15, 1001), 0);
    EXPECT_EQ(library.InvokeHelpDirectA("Vettle\\Help\\1001.htm"), 0);
}

}  // namespace
}  // namespace guidara_test
