// The table's reading rules, through a build of the library that carries
// TestMappings.csv: header, duplicates, letter case, odd field separators,
// short rows, and page files that would leave the help folder.
#include <gtest/gtest.h>

#include "tests/guidara/support/HelpSandbox.h"

namespace guidara_test {
namespace {

struct RuleCase
{
    const char* name;
    const char16_t* helpFile;
    int contextId;
    const char* page;  // nullptr: the request gives 0
};

class MappingRulesTest : public ::testing::TestWithParam<RuleCase>
{
protected:
    HelpSandbox sandbox;
    GuidaraLibrary library{GUIDARA_TESTTABLE_LIBRARY};
};

TEST_P(MappingRulesTest, MapsAsTheTableSays)
{
    const RuleCase& c = GetParam();
    sandbox.SetEnv("KestraCommonHelpDir", "/help/");
    EXPECT_EQ(library.InvokeHelpW(nullptr, c.helpFile, 15, c.contextId), c.page != nullptr ? 1 : 0);
    const std::vector<std::string> opened = sandbox.WaitForOpened(c.page != nullptr ? 1 : 0);
    if (c.page != nullptr) {
        EXPECT_EQ(opened, std::vector<std::string>{OpenedRecord(std::string("/help/") + c.page)});
    } else {
        EXPECT_TRUE(opened.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MappingRulesTest,
    ::testing::Values(RuleCase{"FirstOfTwoEqualRowsWins", u"Guide.chm", 1001, "Manual/Help/50001.htm"},
                      RuleCase{"UpperCaseRowNameIsLowered", u"guide.chm", 1002, "Manual/Help/50002.htm"},
                      RuleCase{"CommaRunsAndBlanksBeforeTheId", u"other.chm", 7, "Other/Help/7.htm"},
                      RuleCase{"FieldsAfterTheThirdIgnored", u"Extra.chm", 3, "Extra/Help/3.htm"},
                      RuleCase{"LastLineWithoutLineEnd", u"Last.chm", 9, "Last/Help/9.htm"},
                      RuleCase{"RowWithTwoFieldsSkipped", u"Short.chm", 5, nullptr},
                      RuleCase{"HeaderIsNoRow", u"\uFEFFOriginal CHM", 0, nullptr},
                      RuleCase{"HeaderWithoutMarkIsNoRowEither", u"Original CHM", 0, nullptr},
                      RuleCase{"PageLeadingOutsideRefused", u"Escape.chm", 1, nullptr},
                      RuleCase{"RootedPageRefused", u"Rooted.chm", 1, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace guidara_test
