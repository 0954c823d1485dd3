// Report names: the name part of a report path, found with the folder
// separators of either system.
#include <gtest/gtest.h>

#include <string>

#include "vettle/ReportFile.h"

namespace vettle::test {
namespace {

TEST(ReportName, RejectsEmptyNamesAndTheTwentyCharacters)
{
    EXPECT_TRUE(IsValidReportName("report.txt", "/"));
    EXPECT_TRUE(IsValidReportName("/tmp/some.dir/report", "/"));
    EXPECT_FALSE(IsValidReportName("a.b.txt", "/"));
    EXPECT_FALSE(IsValidReportName("dir/.txt", "/"));
    EXPECT_FALSE(IsValidReportName("dir/", "/"));
    for (char c : kInvalidReportNameCharacters) {
        if (c == '/' || c == '.') continue;  // these split folder and extension off
        EXPECT_FALSE(IsValidReportName(std::string("r") + c + "x.txt", "/")) << c;
    }
}

// The usage forms `vettle ?` shows write Windows paths.
TEST(ReportName, FoldersEndAtEverySeparatorGiven)
{
    EXPECT_TRUE(IsValidReportName("C:\\Daten\\v\\report.txt", "\\/"));
    EXPECT_TRUE(IsValidReportName("C:\\Daten.alt/v\\report", "\\/"));
    EXPECT_FALSE(IsValidReportName("C:\\Daten\\v\\", "\\/"));
    EXPECT_FALSE(IsValidReportName("C:\\Daten\\v\\report.txt", "/")) << "a backslash in the name";
}

}  // namespace
}  // namespace vettle::test
